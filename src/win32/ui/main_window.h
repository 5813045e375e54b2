#pragma once
// The main window: the controls of the layout table, turning clicks into
// calls on its presenter. Nothing thrown leaves the window procedure.
#include <map>

#include "app/main_window_presenter.h"
#include "app/main_window_view.h"
#include "app/renumbering_session.h"
#include "app/window_progress.h"
#include "eco/std_file_system.h"
#include "win32/base/dpi.h"
#include "win32/base/window_handle.h"
#include "win32/ui/ansi_code_page.h"
#include "win32/ui/preview_window.h"
#include "win32/ui/report_window.h"
#include "win32/ui/save_file_dialog.h"
#include "win32/ui/window_position.h"

namespace varnel::win {

class MainWindow final : public app::MainWindowView {
 public:
  MainWindow(host::HostAttacher& attacher, host::PcbConnector& pcb, app::JournalStore& journals,
             app::JournalLibrary& library);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() override;

  // Creates the window hidden, runs the start-up, and shows it unless the
  // start-up ended the program. With quitOnClose, closing ends the message loop.
  void open(int show, bool quitOnClose);
  bool ended() const { return ended_; }
  // The message loop's hook for keys: Tab, Enter, Esc, access keys and the
  // arrows within a group of option buttons. True when the key was handled.
  bool translate(MSG& message);
  HWND handle() const { return window_.get(); }
  // The DPI the window is laid out at: its monitor's.
  UINT dpi() const { return dpi_; }
  HWND control(app::Control id) const { return controls_.at(id); }
  app::MainWindowPresenter& presenter() { return presenter_; }
  app::RenumberingSession& session() { return session_; }
  ReportWindow& report() { return report_; }

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
  void showMessage(const std::string& text, const std::string& title,
                   app::MessageIcon icon) override;
  void endProgram() override;
  void deliverLater(host::HostEvent event) override;
  void openFolder(const std::string& path) override;
  PreviewWindow& preview() { return preview_; }
  void setStatus(const std::string& text) override;
  // The status bar's line, and the bar itself.
  std::string statusText() const;
  HWND statusBar() const { return status_; }
  void setProgressRange(float min, float max) override;
  void setProgressValue(float value) override;

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void create();
  void createControl(const app::ControlLayout& layout);
  void onClick(app::Control id);
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

  // The font and icons outlive the window and controls that use them.
  GdiObject font_;
  IconHandle bigIcon_, smallIcon_;
  UINT dpi_ = kDefaultDpi;
  WindowPositionStore positions_;
  bool shown_ = false;
  WindowHandle window_;
  std::map<app::Control, HWND> controls_;
  HWND status_ = nullptr;  // a child of window_, destroyed with it
  std::map<app::Control, app::SystemColour> backgrounds_;
  app::WindowProgress progress_{*this};
  ReportWindow report_;
  SaveFileDialog dialog_;
  eco::StdFileSystem files_;
  AnsiCodePage encoding_;
  app::EcoDelivery delivery_;
  app::RenumberingSession session_;
  PreviewWindow preview_;
  app::MainWindowPresenter presenter_;
  bool ended_ = false;
  bool quitOnClose_ = false;
  float progressMin_ = 0, progressMax_ = 0;
  int shownProgress_ = -1;  // the bar's filled width in pixels when last set
};

}  // namespace varnel::win
