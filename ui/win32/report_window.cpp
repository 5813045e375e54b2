#include "ui/win32/report_window.h"

#include "host/com/text.h"

namespace varnel::win {

namespace {

constexpr wchar_t kClassName[] = L"VarnelReport";
constexpr int kEditId = 100;

}  // namespace

bool ReportWindow::isOpen() {
  if (window_.get() && !IsWindow(window_.get())) window_.forget();  // closed by the user
  return window_.get() != nullptr;
}

std::string ReportWindow::text() {
  if (!isOpen()) return {};
  std::wstring text(GetWindowTextLengthW(edit_) + 1, L'\0');
  text.resize(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size())));
  return narrow(text);
}

void ReportWindow::create() {
  registerWindowClass(kClassName);
  RECT frame{0, 0, twipsToPixelsX(2235), twipsToPixelsY(2295)};
  const DWORD style = WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  POINT at{CW_USEDEFAULT, CW_USEDEFAULT};
  RECT beside;
  if (neighbour_ && GetWindowRect(neighbour_, &beside)) at = {beside.right + 8, beside.top};
  // Not owned: it stays when the main window is minimised, and is no dialog.
  window_ = WindowHandle(CreateWindowExW(0, kClassName, L"", style, at.x, at.y,
                                         frame.right - frame.left, frame.bottom - frame.top,
                                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                              ES_AUTOVSCROLL | ES_WANTRETURN,
                          twipsToPixelsX(45), twipsToPixelsY(45), twipsToPixelsX(2175),
                          twipsToPixelsY(2220), window_.get(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                          GetModuleHandleW(nullptr), nullptr);
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

void ReportWindow::show(const std::string& text) {
  if (!isOpen()) create();
  SetWindowTextW(edit_, widen(text).c_str());
  ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
  UpdateWindow(window_.get());
}

}  // namespace varnel::win
