// Varnel.exe: attaches to the running PowerLogic and shows the main window.
#include <windows.h>

#include <commctrl.h>

#include "app/journal_folder.h"
#include "win32/base/variant.h"
#include "win32/com/com_host.h"
#include "win32/ui/main_window.h"
#include "win32/ui/user_folders.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  varnel::win::ComApartment apartment;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  varnel::win::ComHostAttacher attacher;
  varnel::win::ComPcbConnector pcb;
  varnel::app::JournalFolder journals(varnel::win::journalFolder());
  varnel::win::MainWindow window(attacher, pcb, journals);
  window.open(show, /*quitOnClose=*/true);
  if (window.ended()) return 0;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.translate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
