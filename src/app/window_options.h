#pragma once
// The run options and progress display read from and drawn on the window.
#include "app/main_window_view.h"
#include "app/run_options.h"

namespace varnel::ui {

class WindowOptions final : public RunOptions, public ProgressDisplay {
 public:
  explicit WindowOptions(MainWindowView& view) : view_(view) {}

  std::string txtStart() override { return view_.text(Control::txtStart); }
  bool optStart() override { return view_.checked(Control::optStart); }
  bool optSelected() override { return view_.checked(Control::optSelected); }
  bool optAssign() override { return view_.checked(Control::optAssign); }
  bool optDuplicate() override { return view_.checked(Control::optDuplicate); }
  bool chkSend() override { return view_.checked(Control::chkSend); }
  bool optECO() override { return view_.checked(Control::optECO); }
  bool optDirect() override { return view_.checked(Control::optDirect); }

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

}  // namespace varnel::ui
