#include "win32/ui/about_box.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "win32/base/clipboard.h"
#include "win32/base/dpi.h"
#include "win32/base/text.h"
#include "win32/base/text_metrics.h"
#include "win32/base/window_dc.h"
#include "win32/ui/work_areas.h"

namespace varnel::win {

namespace {

constexpr int kText = 0xFFFF;  // a static's id, as message boxes have it
constexpr int kFolderLabel = 100, kFolder = 101, kCopy = 102;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// A template without controls or title: the box makes its controls itself,
// in the message font at the main window's DPI, as the other windows do.
struct alignas(DWORD) EmptyTemplate {
  WORD words[12] = {};  // the header, then no menu, the dialog class, no title
};

EmptyTemplate emptyTemplate() {
  static_assert(sizeof(DLGTEMPLATE) == 18);
  const DLGTEMPLATE header{kStyle, 0, 0, 0, 0, 200, 100};
  EmptyTemplate t;
  std::memcpy(t.words, &header, sizeof header);
  return t;
}

class AboutBox {
 public:
  AboutBox(HWND owner, const app::AboutContent& about) : owner_(owner), about_(about) {}
  void show() {
    const EmptyTemplate t = emptyTemplate();
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(&t),
                            owner_, &procedure, reinterpret_cast<LPARAM>(this));
  }

 private:
  static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  INT_PTR onCommand(HWND dialog, int id);
  void build(HWND dialog);
  int widthFor(HWND dialog, const std::wstring& text) const;
  int addWords(HWND dialog, const std::wstring& text, int top, int width);
  HWND add(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style, int id,
           DWORD extendedStyle = 0);
  int scaled(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), kDefaultDpi); }
  int buttonWidth(HWND dialog, const wchar_t* caption) const {
    return std::max(scaled(75), textWidth(dialog, fontOrDefault(font_), caption) + scaled(16));
  }
  void place(HWND dialog, int clientWidth, int clientHeight) const;

  HWND owner_;
  const app::AboutContent& about_;
  UINT dpi_ = kDefaultDpi;
  GdiObject font_;  // outlives the box that uses it
};

INT_PTR CALLBACK AboutBox::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    reinterpret_cast<AboutBox*>(lParam)->build(dialog);
    return FALSE;  // the focus is set
  }
  auto* box = reinterpret_cast<AboutBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (box && message == WM_COMMAND) return box->onCommand(dialog, LOWORD(wParam));
  return FALSE;
}

INT_PTR AboutBox::onCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, id);
      return TRUE;
    case kCopy:
      copyToClipboard(dialog, widen(about_.journalFolder));
      return TRUE;
  }
  return FALSE;
}

HWND AboutBox::add(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style, int id,
                   DWORD extendedStyle) {
  HWND control = CreateWindowExW(
      extendedStyle, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontOrDefault(font_)), FALSE);
  return control;
}

// As wide as the longest line of text, within bounds: longer lines wrap.
int AboutBox::widthFor(HWND dialog, const std::wstring& text) const {
  int width = twipsAt(5400, dpi_);
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(L'\n', start), text.size());
    width =
        std::max(width, textWidth(dialog, fontOrDefault(font_), text.substr(start, end - start)));
    start = end + 1;
  }
  return std::min(width, twipsAt(9000, dpi_));
}

// The text at top, wrapped at width; where the next control may begin.
int AboutBox::addWords(HWND dialog, const std::wstring& text, int top, int width) {
  HWND words = add(dialog, L"STATIC", text, SS_LEFT | SS_NOPREFIX, kText);
  RECT need{0, 0, width, 0};
  {
    WindowDc dc(words, fontOrDefault(font_));
    DrawTextW(dc.get(), text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  }
  MoveWindow(words, scaled(11), top, width, need.bottom, FALSE);
  return top + need.bottom;
}

void AboutBox::build(HWND dialog) {
  dpi_ = dpiOf(owner_);
  font_ = messageFontAt(dpi_);
  SetWindowTextW(dialog, L"About Varnel");
  const std::wstring text = widen(about_.text);
  const int margin = scaled(11), gap = scaled(7), line = fontHeight(dialog, fontOrDefault(font_));
  const int button = std::max(scaled(23), line + scaled(8)), copy = buttonWidth(dialog, L"&Copy");
  const int width = widthFor(dialog, text);
  int y = addWords(dialog, text, margin, width) + gap;
  MoveWindow(add(dialog, L"STATIC", L"Journal folder:", SS_LEFT, kFolderLabel), margin, y, width,
             line, FALSE);
  y += line + scaled(3);
  // Read-only and scrolled sideways: never broken across lines.
  MoveWindow(add(dialog, L"EDIT", widen(about_.journalFolder),
                 ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, kFolder, WS_EX_CLIENTEDGE),
             margin, y, width - copy - gap, button, FALSE);
  MoveWindow(add(dialog, L"BUTTON", L"&Copy", BS_PUSHBUTTON | WS_TABSTOP, kCopy),
             margin + width - copy, y, copy, button, FALSE);
  y += button + 2 * gap;
  const int ok = buttonWidth(dialog, L"OK");
  HWND okButton = add(dialog, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK);
  MoveWindow(okButton, margin + width - ok, y, ok, button, FALSE);
  place(dialog, width + 2 * margin, y + button + margin);
  SetFocus(okButton);
}

// Centred over the main window, wholly inside the work area of its monitor.
void AboutBox::place(HWND dialog, int clientWidth, int clientHeight) const {
  const RECT frame = frameAround(clientWidth, clientHeight, kStyle, 0, dpi_);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  RECT over{0, 0, w, h};
  if (owner_) GetWindowRect(owner_, &over);
  const int left = (over.left + over.right - w) / 2, top = (over.top + over.bottom - h) / 2;
  const app::ScreenRect at = app::movedInside({left, top, left + w, top + h}, workAreaOf(owner_));
  SetWindowPos(dialog, nullptr, at.left, at.top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void showAboutBox(HWND owner, const app::AboutContent& about) {
  AboutBox(owner, about).show();
}

}  // namespace varnel::win
