#pragma once
// Driving the real window under Wine: clicks, keys and text by message, and
// the window opened over the in-memory host (no COM, only the Win32 wiring).
#include <windows.h>

#include <memory>
#include <string>

#include "app/journal_folder.h"
#include "fake_view.h"
#include "fixtures.h"
#include "temp_dir.h"
#include "win32/base/text.h"
#include "win32/base/window_text.h"
#include "win32/com/com_host_attacher.h"
#include "win32/com/com_pcb_connector.h"
#include "win32/ui/program.h"

namespace varnel::tests {

inline bool isChecked(HWND control) {
  return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline bool isEnabled(HWND control) {
  return IsWindowEnabled(control) != FALSE;
}
inline void click(HWND control) {
  SendMessageW(control, BM_CLICK, 0, 0);
}
inline void type(HWND control, const char* text) {
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win::widen(text).c_str()));
}
inline std::string titleOf(HWND window) {
  return win::windowText(window);
}
// Where a control lies in its parent's client area.
inline RECT rectIn(HWND parent, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

struct LocalWindow {
  std::shared_ptr<standin::MemoryHost> host;
  FakeAttacher attacher;
  win::ComPcbConnector pcb;
  app::NoJournals journals;
  win::Program program{attacher, pcb, journals, journals};
  win::MainWindow& window = program.window();
  explicit LocalWindow(const std::string& parts)
      : host(std::make_shared<standin::MemoryHost>(design(parts))) {
    attacher.app = host;
    program.open(SW_SHOWNOACTIVATE, false);
  }
  HWND operator[](app::Control id) const { return window.control(id); }
  // A key as the program's message loop receives it: WM_KEYDOWN, or
  // WM_SYSCHAR for Alt+letter. True when the window handled it.
  bool press(WPARAM key, HWND focus = nullptr) {
    MSG message{};
    message.hwnd = focus ? focus : GetFocus();
    message.message = WM_KEYDOWN;
    message.wParam = key;
    return program.translate(message);
  }
  bool alt(char letter) {
    MSG message{};
    message.hwnd = GetFocus() ? GetFocus() : window.handle();
    message.message = WM_SYSCHAR;
    message.wParam = static_cast<WPARAM>(letter);
    message.lParam = 1 << 29;  // Alt held
    return program.translate(message);
  }
};

// The window over the in-memory host, its runs keeping their journals in a
// folder of the test's own, so that Undo and recovery find them.
struct JournaledWindow {
  TempDir dir;
  std::shared_ptr<standin::MemoryHost> host;
  FakeAttacher attacher;
  win::ComPcbConnector pcb;
  app::JournalFolder journals{dir.file("Journal")};
  win::Program program{attacher, pcb, journals, journals};
  win::MainWindow& window = program.window();
  explicit JournaledWindow(const std::string& parts)
      : host(std::make_shared<standin::MemoryHost>(design(parts))) {
    attacher.app = host;
    program.open(SW_SHOWNOACTIVATE, false);
  }
};

}  // namespace varnel::tests
