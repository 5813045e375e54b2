#pragma once
// Varnel with its windows: every object the main window's program is made
// of, each built after the ones it needs. Varnel.exe and the window tests
// build it the same way.
#include "app/eco_delivery.h"
#include "app/journal_store.h"
#include "app/main_window_presenter.h"
#include "app/renumbering_session.h"
#include "base/std_file_system.h"
#include "win32/ui/ansi_code_page.h"
#include "win32/ui/main_window.h"
#include "win32/ui/preview_window.h"
#include "win32/ui/registry_numbering_options.h"
#include "win32/ui/report_window.h"
#include "win32/ui/save_file_dialog.h"
#include "win32/ui/window_activity.h"

namespace varnel::win {

class Program {
 public:
  Program(host::HostAttacher& attacher, host::PcbConnector& pcb, app::JournalStore& journals,
          app::JournalLibrary& library);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Runs the start-up and shows the main window unless it ended the program.
  void open(int show, bool quitOnClose) { window_.open(presenter_, show, quitOnClose); }
  bool ended() const { return window_.ended(); }
  // The message loop's hook for the keys of Varnel's windows.
  bool translate(MSG& message) { return preview_.translate(message) || window_.translate(message); }

  MainWindow& window() { return window_; }
  ReportWindow& report() { return report_; }
  PreviewWindow& preview() { return preview_; }
  app::PowerLogicLink& link() { return link_; }
  app::MainWindowPresenter& presenter() { return presenter_; }

 private:
  MainWindow window_;
  ReportWindow report_;
  SaveFileDialog dialog_;
  PreviewWindow preview_;
  WindowActivity activity_;
  base::StdFileSystem files_;
  AnsiCodePage encoding_;
  app::EcoDelivery delivery_;
  app::PowerLogicLink link_;
  app::RenumberingSession session_;
  RegistryNumberingOptions numberingOptions_;
  app::MainWindowPresenter presenter_;
};

}  // namespace varnel::win
