#include "win32/ui/built_dialog.h"

#include <algorithm>
#include <cstring>

#include "win32/base/clipboard.h"
#include "win32/base/dpi.h"
#include "win32/base/text_metrics.h"
#include "win32/base/window_dc.h"
#include "win32/ui/work_areas.h"

namespace varnel::win {

namespace {

constexpr int kText = 0xFFFF;  // a static's id, as message boxes have it

// A template without controls or title: the box makes its controls itself.
struct alignas(DWORD) EmptyTemplate {
  WORD words[12] = {};  // the header, then no menu, the dialog class, no title
};

EmptyTemplate emptyTemplate(DWORD style) {
  static_assert(sizeof(DLGTEMPLATE) == 18);
  const DLGTEMPLATE header{style, 0, 0, 0, 0, 200, 100};
  EmptyTemplate t;
  std::memcpy(t.words, &header, sizeof header);
  return t;
}

}  // namespace

INT_PTR BuiltDialog::show() {
  const EmptyTemplate t = emptyTemplate(style_);
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(&t),
                                 owner_, &procedure, reinterpret_cast<LPARAM>(this));
}

// Nothing thrown leaves the dialog procedure: a box that cannot be built ends.
INT_PTR CALLBACK BuiltDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      reinterpret_cast<BuiltDialog*>(lParam)->build(dialog);
      return FALSE;  // the focus is set
    }
    auto* box = reinterpret_cast<BuiltDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (box && message == WM_COMMAND) return box->onCommand(dialog, LOWORD(wParam));
  } catch (...) {
    EndDialog(dialog, -1);
    return TRUE;
  }
  return FALSE;
}

bool BuiltDialog::closeOrCopy(HWND dialog, int id, int copyId, const std::wstring& text) const {
  if (id == IDOK || id == IDCANCEL) {
    EndDialog(dialog, id);
    return true;
  }
  if (id != copyId) return false;
  copyToClipboard(dialog, text);
  return true;
}

void BuiltDialog::takeOwnersDpi() {
  dpi_ = dpiOf(owner_);
  font_ = messageFontAt(dpi_);
}

HFONT BuiltDialog::font() const {
  return static_cast<HFONT>(fontOrDefault(font_));
}

int BuiltDialog::scaled(int pixels) const {
  return MulDiv(pixels, static_cast<int>(dpi_), kDefaultDpi);
}

HWND BuiltDialog::add(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style,
                      int id, DWORD extendedStyle) const {
  HWND control = CreateWindowExW(
      extendedStyle, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
  return control;
}

int BuiltDialog::widthFor(HWND dialog, const std::wstring& text) const {
  int width = twipsAt(5400, dpi_);
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(L'\n', start), text.size());
    width = std::max(width, textWidth(dialog, font(), text.substr(start, end - start)));
    start = end + 1;
  }
  return std::min(width, twipsAt(9000, dpi_));
}

int BuiltDialog::addWords(HWND dialog, const std::wstring& text, int left, int top,
                          int width) const {
  HWND words = add(dialog, L"STATIC", text, SS_LEFT | SS_NOPREFIX, kText);
  RECT need{0, 0, width, 0};
  {
    WindowDc dc(words, font());
    DrawTextW(dc.get(), text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  }
  MoveWindow(words, left, top, width, need.bottom, FALSE);
  return top + need.bottom;
}

int BuiltDialog::buttonWidth(HWND dialog, const wchar_t* caption) const {
  return std::max(scaled(75), textWidth(dialog, font(), caption) + scaled(16));
}

int BuiltDialog::buttonHeight(HWND dialog) const {
  return std::max(scaled(23), fontHeight(dialog, font()) + scaled(8));
}

void BuiltDialog::place(HWND dialog, int clientWidth, int clientHeight) const {
  const RECT frame = frameAround(clientWidth, clientHeight, style_, 0, dpi_);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  RECT over{0, 0, w, h};
  if (owner_) GetWindowRect(owner_, &over);
  const int left = (over.left + over.right - w) / 2, top = (over.top + over.bottom - h) / 2;
  const app::ScreenRect at = app::movedInside({left, top, left + w, top + h}, workAreaOf(owner_));
  SetWindowPos(dialog, nullptr, at.left, at.top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace varnel::win
