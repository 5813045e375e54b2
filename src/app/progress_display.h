#pragma once
// The progress bar: three single-precision numbers.
namespace varnel::app {

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

// A progress bar held in memory: for the command line, which has no window.
struct ProgressValues final : ProgressDisplay {
  float minimum = 0, maximum = 0, current = 0;
  int repaints = 0;  // how often the value changed

  float min() override { return minimum; }
  float max() override { return maximum; }
  float value() override { return current; }
  void setMin(float v) override { minimum = v; }
  void setMax(float v) override { maximum = v; }
  void setValue(float v) override {
    current = v;
    ++repaints;
  }
};

}  // namespace varnel::app
