#pragma once
// Told of a run's record at its end, before the run state is reset (the
// offline runner prints it).
namespace varnel {

class frmRenPart;

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void runEnded(const frmRenPart& form) = 0;
};

}  // namespace varnel
