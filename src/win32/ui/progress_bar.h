#pragma once
// The main window's progress bar control as the run's progress display.
#include <windows.h>

#include "app/progress_display.h"

namespace varnel::win {

class ProgressBar final : public app::ProgressDisplay {
 public:
  explicit ProgressBar(HWND bar) : bar_(bar) {}

  float min() override { return min_; }
  float max() override { return max_; }
  float value() override { return value_; }
  void setMin(float value) override;
  void setMax(float value) override;
  void setValue(float value) override;
  // A phase that counts on its own (reading the design): the bar shows
  // done of total without touching the three numbers; restore() shows them
  // again.
  void showShare(long long done, long long total);
  void restore();

 private:
  void setRange();

  HWND bar_;  // a child of the main window, destroyed with it
  float min_ = 0, max_ = 0, value_ = 0;
  int shownFill_ = -1;    // the bar's filled width in pixels when last set
  bool sharing_ = false;  // showShare's count is shown, not the three numbers
};

}  // namespace varnel::win
