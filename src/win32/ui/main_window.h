#pragma once
// The main window: the controls of the layout table, turning clicks into
// calls on its presenter. Nothing thrown leaves the window procedure.
#include <functional>
#include <map>
#include <optional>

#include "app/main_window_presenter.h"
#include "app/main_window_view.h"
#include "win32/base/dpi.h"
#include "win32/base/gdi_handles.h"
#include "win32/base/window.h"
#include "win32/ui/progress_bar.h"
#include "win32/ui/window_position_store.h"

namespace varnel::win {

class MainWindow final : public Window, public app::MainWindowView {
 public:
  // Made hidden, laid out at its monitor's DPI, where it was last closed.
  // closeAlso closes what else ends with the program (the report, which
  // the main window does not own).
  explicit MainWindow(std::function<void()> closeAlso = {});
  ~MainWindow() override { destroyUnheard(); }

  // Runs the start-up, tells presenter of every click from then on, and
  // shows the window unless the start-up ended the program. With
  // quitOnClose, closing ends the message loop.
  void open(app::MainWindowPresenter& presenter, int show, bool quitOnClose);
  bool ended() const { return ended_; }
  // The message loop's hook for keys: Tab, Enter, Esc, access keys and the
  // arrows within a group of option buttons. True when the key was handled.
  bool translate(MSG& message);
  // The DPI the window is laid out at: its monitor's.
  UINT dpi() const { return dpi_; }
  HWND control(app::Control id) const { return controls_.at(id); }
  app::ProgressDisplay& progress() { return *progress_; }
  ProgressBar& progressBar() { return *progress_; }
  // The status text, painted at once: long work holds the thread.
  void showStatusNow(const std::string& text);

  bool checked(app::Control id) override;
  void setChecked(app::Control id, bool value) override;
  bool enabled(app::Control id) override;
  void setEnabled(app::Control id, bool value) override;
  std::string text(app::Control id) override;
  void setText(app::Control id, const std::string& text) override;
  void setBackground(app::Control id, app::SystemColour colour) override;
  void setTitle(const std::string& title) override;
  void alwaysOnTop(bool onTop) override;
  void showAbout(const app::AboutContent& about) override;
  bool askYesNo(const std::string& text) override;
  std::optional<app::Recovery> askRecovery(const app::RecoveryQuestion& question) override;
  std::optional<renumber::RulesTexts> askNumberingOptions(const renumber::RulesTexts& current,
                                                          const RulesCheck& check) override;
  void showMessage(const std::string& text, const std::string& title,
                   app::MessageIcon icon) override;
  void endProgram() override;
  void deliverLater(host::HostEvent event) override;
  void openFolder(const std::string& path) override;
  void setStatus(const std::string& text) override;
  void showWindow() override;
  // The status bar's line, and the bar itself.
  std::string statusText() const;
  HWND statusBar() const { return status_; }

 private:
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void createControl(const app::ControlLayout& layout);
  void orderForTab();
  void openHelp();
  void setGroupTabStop(app::Control option);
  void onCommand(WPARAM wParam);
  bool onSystemCommand(WPARAM wParam);
  void onDpiChanged(WPARAM wParam, LPARAM lParam);
  void onEnter();
  bool moveWithinOptionGroup(const MSG& message);
  bool onShortcut(const MSG& message);
  void addCommandsToSystemMenu();
  bool focusLabelledControl(const MSG& message);
  void focus(HWND control);
  void createStatusBar();
  int statusBarHeight() const;
  void applyDpi(UINT dpi);
  void fitClientArea(int width, int height);
  void layoutControls();
  void setIcons();
  void placeOnDesktop();
  void savePosition();
  static int captionWidth(HWND control);
  static int lineHeight(HWND control);
  LRESULT onColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam);

  std::function<void()> closeAlso_;
  // The font and icons outlive the window and controls that use them.
  GdiObject font_;
  IconHandle bigIcon_, smallIcon_;
  UINT dpi_ = kDefaultDpi;
  WindowPositionStore positions_;
  bool shown_ = false;
  int show_ = SW_SHOWNORMAL;               // how open() was asked to show the window
  std::map<app::Control, HWND> controls_;  // children of the window, destroyed with it
  HWND status_ = nullptr;
  std::optional<ProgressBar> progress_;
  std::map<app::Control, app::SystemColour> backgrounds_;
  app::MainWindowPresenter* presenter_ = nullptr;  // none until opened
  bool ended_ = false;
  bool quitOnClose_ = false;
};

}  // namespace varnel::win
