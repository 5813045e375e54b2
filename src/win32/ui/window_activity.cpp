#include "win32/ui/window_activity.h"

namespace varnel::win {

namespace {

constexpr ULONGLONG kShowEveryMs = 100;
// A look at the input costs a round trip to the window system (Wine's
// server): a few times a second is enough for a click to be felt.
constexpr ULONGLONG kInputEveryMs = 30;
constexpr int kMostMessagesAtOnce = 200;

}  // namespace

void WindowActivity::begin() {
  stopRequested_ = false;
  shownAt_ = inputAt_ = renamingSince_ = 0;
}

void WindowActivity::end() {
  window_.progressBar().restore();
}

bool WindowActivity::due(bool last) {
  const ULONGLONG now = GetTickCount64();
  if (!last && now - shownAt_ < kShowEveryMs) return false;
  shownAt_ = now;
  return true;
}

void WindowActivity::reading(std::int64_t done, std::int64_t total) {
  if (!due(done == 0 || done == total)) return;
  window_.showStatusNow(app::readingText(done, total));
  window_.progressBar().showShare(done, total);
}

// The time left from the pace so far, once a few renames have shown it.
void WindowActivity::renaming(std::int64_t done, std::int64_t total) {
  if (done == 0) {
    renamingSince_ = GetTickCount64();
    window_.progressBar().restore();
  }
  if (!due(done == 0)) return;
  const ULONGLONG elapsed = GetTickCount64() - renamingSince_;
  const std::int64_t left = done >= 5 && elapsed >= 1000
                                ? static_cast<std::int64_t>(elapsed * (total - done) / done / 1000)
                                : -1;
  window_.showStatusNow(app::renamingText(done, total, left));
}

void WindowActivity::phase(const std::string& text) {
  shownAt_ = GetTickCount64();
  window_.showStatusNow(text);
}

bool WindowActivity::stopAsked() {
  const ULONGLONG now = GetTickCount64();
  if (now - inputAt_ >= kInputEveryMs) {
    inputAt_ = now;
    letInputIn();
  }
  return stopRequested_;
}

// The messages that wait, as the message loop would handle them; the
// presenter starts nothing while the work goes, so only Stop, Esc and End
// do anything. A quit is left for the message loop.
void WindowActivity::letInputIn() {
  MSG message;
  for (int k = 0; k < kMostMessagesAtOnce && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
       ++k) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (translate_(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace varnel::win
