#include "standin/win32/part_list_window.h"

#include <commdlg.h>

#include "standin/design_file.h"
#include "win32/base/text.h"

namespace varnel::standin {

namespace {

constexpr wchar_t kClassName[] = L"VarnelStandinParts";
constexpr int kListId = 100, kOpenId = 200, kSaveId = 201, kExitId = 202;
constexpr UINT_PTR kRefreshTimer = 1;

std::wstring lineOf(const PartData& part) {
  return win::widen(part.designator + "\t" + shortestNumberText(part.x) + "\t" +
                    shortestNumberText(part.y));
}

}  // namespace

PartListWindow::PartListWindow(const std::wstring& title, bool multipleSelection, Handlers handlers)
    : handlers_(std::move(handlers)), program_(title) {
  HMENU file = CreatePopupMenu();
  if (handlers_.open) AppendMenuW(file, MF_STRING, kOpenId, L"&Open...");
  AppendMenuW(file, MF_STRING, kSaveId, L"Save &As...");
  AppendMenuW(file, MF_STRING, kExitId, L"E&xit");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  create({kClassName,
          title.c_str(),
          WS_OVERLAPPEDWINDOW,
          0,
          {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + 320, CW_USEDEFAULT + 420},
          nullptr,
          0,
          bar});
  RECT client;
  GetClientRect(handle(), &client);
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS |
                              (multipleSelection ? LBS_EXTENDEDSEL : 0),
                          0, 0, client.right, client.bottom, handle(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                          GetModuleHandleW(nullptr), nullptr);
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

void PartListWindow::show(const DesignData& design) {
  pending_.clear();
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const PartData& part : design.parts) {
    const auto index =
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lineOf(part).c_str()));
    if (part.selected) SendMessageW(list_, LB_SETSEL, TRUE, index);
  }
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  SetWindowTextW(handle(), (win::widen(design.name) + L" - " + program_).c_str());
  ShowWindow(handle(), SW_SHOWNOACTIVATE);
}

void PartListWindow::updatePart(int position, const PartData& part) {
  pending_[position] = part;
  // A timer fires only when nothing else waits in the queue.
  SetTimer(handle(), kRefreshTimer, 50, nullptr);
}

void PartListWindow::showPendingUpdates() {
  KillTimer(handle(), kRefreshTimer);
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  for (const auto& [position, part] : pending_) {
    const WPARAM index = position - 1;
    const bool selected = SendMessageW(list_, LB_GETSEL, index, 0) > 0;
    SendMessageW(list_, LB_DELETESTRING, index, 0);
    SendMessageW(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(lineOf(part).c_str()));
    if (selected) SendMessageW(list_, LB_SETSEL, TRUE, index);
  }
  pending_.clear();
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

// The stand-in says what went wrong; the window base would only swallow it.
LRESULT PartListWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return respond(window, message, wParam, lParam);
  } catch (const std::exception& e) {
    MessageBoxW(window, win::widen(e.what()).c_str(), L"Stand-in", MB_OK | MB_ICONHAND);
    return 0;
  }
}

LRESULT PartListWindow::respond(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_SELCHANGE &&
          handlers_.selectionChanged) {
        const auto count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
        std::vector<bool> selected(count);
        for (LRESULT i = 0; i < count; ++i) selected[i] = SendMessageW(list_, LB_GETSEL, i, 0) > 0;
        handlers_.selectionChanged(selected);
      } else if (LOWORD(wParam) == kOpenId && handlers_.open) {
        handlers_.open();
      } else if (LOWORD(wParam) == kSaveId && handlers_.saveAs) {
        handlers_.saveAs();
      } else if (LOWORD(wParam) == kExitId) {
        destroy();
      }
      return 0;
    case WM_TIMER:
      if (wParam == kRefreshTimer) showPendingUpdates();
      return 0;
    case WM_SIZE:
      MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

std::string askFile(HWND owner, bool forSaving) {
  wchar_t path[MAX_PATH * 4] = L"";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"Designs (*.design)\0*.design\0All files\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = static_cast<DWORD>(std::size(path));
  dialog.Flags = OFN_EXPLORER | (forSaving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL chosen = forSaving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  return chosen ? win::narrow(path) : std::string();
}

}  // namespace varnel::standin
