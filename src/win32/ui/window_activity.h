#pragma once
// Long work as the main window shows it: each phase in the status bar (at
// most ten times a second, and always its last step), the progress bar
// moving while the design is read, the time left while renaming; and,
// between two calls to PowerLogic, the input that waits let in, so that
// Stop (Run's place), Esc and End reach the window.
#include <windows.h>

#include <functional>

#include "app/run_activity.h"
#include "win32/ui/main_window.h"

namespace varnel::win {

class WindowActivity final : public app::RunActivity {
 public:
  // translate is the message loop's hook for the keys of Varnel's windows.
  WindowActivity(MainWindow& window, std::function<bool(MSG&)> translate)
      : window_(window), translate_(std::move(translate)) {}

  void begin() override;
  void end() override;
  void requestStop() override { stopRequested_ = true; }
  void reading(std::int64_t done, std::int64_t total) override;
  void renaming(std::int64_t done, std::int64_t total) override;
  void phase(const std::string& text) override;
  bool stopAsked() override;

 private:
  bool due(bool last);
  void letInputIn();

  MainWindow& window_;
  std::function<bool(MSG&)> translate_;
  bool stopRequested_ = false;
  ULONGLONG shownAt_ = 0, inputAt_ = 0, renamingSince_ = 0;
};

}  // namespace varnel::win
