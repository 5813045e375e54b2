// Varnel.exe: attaches to the running PowerLogic and shows the main window;
// with arguments, runs once without it, as varnel-offline does on a file.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/journal_folder.h"
#include "win32/base/com_apartment.h"
#include "win32/base/kernel_handle.h"
#include "win32/base/text.h"
#include "win32/base/variant.h"
#include "win32/com/busy_host_filter.h"
#include "win32/com/com_host_attacher.h"
#include "win32/com/com_pcb_connector.h"
#include "win32/console_output.h"
#include "win32/ui/busy_host_prompt.h"
#include "win32/ui/program.h"
#include "win32/ui/user_folders.h"

namespace {

std::vector<std::string> arguments() {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(varnel::win::narrow(words[i]));
  LocalFree(words);
  return args;
}

// The round trips made to the PowerLogic attached, for --stats.
class RoundTrips final : public varnel::app::CallCounter {
 public:
  explicit RoundTrips(const varnel::win::ComHostAttacher& attacher) : attacher_(attacher) {}
  void resetCounts() override { start_ = attacher_.roundTrips(); }
  std::string callStatistics() override {
    return "round trips: " + std::to_string(attacher_.roundTrips() - start_) + "\n";
  }

 private:
  const varnel::win::ComHostAttacher& attacher_;
  std::int64_t start_ = 0;
};

int runOnce(const std::vector<std::string>& args) {
  // No one to ask: a call PowerLogic keeps rejecting ends after the quiet retries.
  varnel::win::BusyHostFilter busy(varnel::host::BusyRetryPolicy([] { return false; }));
  varnel::win::ComHostAttacher attacher;
  varnel::win::ComPcbConnector pcb;
  varnel::app::JournalFolder journals(varnel::win::journalFolder());
  std::ostringstream out, err;
  RoundTrips calls(attacher);
  const int status = varnel::app::runCommandLine(args, out, err, attacher, pcb, journals, calls);
  varnel::win::writeToConsole(out.str(), false);
  varnel::win::writeToConsole(err.str(), true);
  return status;
}

// One Varnel at a time: a second start brings the running one to the front.
// True when this one is the first.
bool firstVarnel(varnel::win::KernelHandle& mutex) {
  mutex = varnel::win::KernelHandle(CreateMutexW(nullptr, TRUE, L"Local\\Varnel.MainWindow"));
  if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
  if (HWND running = FindWindowW(L"VarnelMain", nullptr)) {
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
  }
  return false;
}

int showWindow(int show) {
  varnel::win::KernelHandle mutex;
  if (!firstVarnel(mutex)) return 0;
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  varnel::win::ComHostAttacher attacher;
  varnel::win::ComPcbConnector pcb;
  varnel::app::JournalFolder journals(varnel::win::journalFolder());
  varnel::win::Program program(attacher, pcb, journals, journals);
  varnel::win::BusyHostFilter busy(varnel::host::BusyRetryPolicy(
      [&program] { return varnel::win::askToWaitForBusyHost(program.window().handle()); }));
  program.open(show, /*quitOnClose=*/true);
  if (program.ended()) return 0;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (program.translate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  varnel::win::ComApartment apartment;
  const auto args = arguments();
  return args.empty() ? showWindow(show) : runOnce(args);
}
