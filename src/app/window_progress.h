#pragma once
// The progress display drawn on the main window's progress bar.
#include "app/main_window_view.h"
#include "app/progress_display.h"

namespace varnel::app {

class WindowProgress final : public ProgressDisplay {
 public:
  explicit WindowProgress(MainWindowView& view) : view_(view) {}

  float min() override { return min_; }
  float max() override { return max_; }
  float value() override { return value_; }
  void setMin(float v) override { view_.setProgressRange(min_ = v, max_); }
  void setMax(float v) override { view_.setProgressRange(min_, max_ = v); }
  void setValue(float v) override { view_.setProgressValue(value_ = v); }

 private:
  MainWindowView& view_;
  float min_ = 0, max_ = 0, value_ = 0;
};

}  // namespace varnel::app
