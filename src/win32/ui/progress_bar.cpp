#include "win32/ui/progress_bar.h"

#include <commctrl.h>

namespace varnel::win {

void ProgressBar::setMin(float value) {
  min_ = value;
  setRange();
}

void ProgressBar::setMax(float value) {
  max_ = value;
  setRange();
}

void ProgressBar::setRange() {
  shownFill_ = -1;
  SendMessageW(bar_, PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
}

// A repaint costs about what a call to PowerLogic does, and the wait for
// each call paints whatever is invalid: the bar is set only when its filled
// part grows or shrinks by a pixel, and always at either end.
void ProgressBar::setValue(float value) {
  value_ = value;
  RECT r;
  GetClientRect(bar_, &r);
  const float span = max_ - min_;
  const int filled = span > 0 ? static_cast<int>((value - min_) / span * r.right) : 0;
  const bool atAnEnd = value <= min_ || value >= max_;
  if (filled == shownFill_ && !atAnEnd) return;
  shownFill_ = filled;
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(value), 0);
  UpdateWindow(bar_);  // a run holds the thread: repaint now
}

void ProgressBar::showShare(long long done, long long total) {
  constexpr int kSteps = 1000;
  if (!sharing_) SendMessageW(bar_, PBM_SETRANGE32, 0, kSteps);
  sharing_ = true;
  SendMessageW(bar_, PBM_SETPOS, total > 0 ? static_cast<WPARAM>(done * kSteps / total) : 0, 0);
  UpdateWindow(bar_);
}

void ProgressBar::restore() {
  if (!sharing_) return;
  sharing_ = false;
  setRange();
  setValue(value_);
}

}  // namespace varnel::win
