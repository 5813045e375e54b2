#pragma once
// What the engine reads from the main window's controls. Every value is read
// afresh at each use: a run never keeps a copy.
#include <string>

namespace varnel::ui {

class RunOptions {
 public:
  virtual ~RunOptions() = default;
  virtual std::string txtStart() = 0;  // the start-number box's text
  virtual bool optStart() = 0;         // "Rename all components"
  virtual bool optSelected() = 0;      // "Rename selected components"
  virtual bool optAssign() = 0;        // "Assign next free names"
  virtual bool optDuplicate() = 0;     // "Rename duplicates"
  virtual bool chkSend() = 0;          // "Write ECO file for PowerPCB" ticked
  virtual bool optECO() = 0;           // "Write only"
  virtual bool optDirect() = 0;        // "Write and force read in PCB"
};

// The progress bar prgbarEdistys: three single-precision numbers.
class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;
  virtual float min() = 0;
  virtual float max() = 0;
  virtual float value() = 0;
  virtual void setMin(float value) = 0;
  virtual void setMax(float value) = 0;
  virtual void setValue(float value) = 0;
};

}  // namespace varnel::ui
