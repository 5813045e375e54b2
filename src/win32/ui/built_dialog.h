#pragma once
// A modal box that makes its own controls, in the message font at its
// owner's DPI, and stands centred over its owner inside the work area.
#include <windows.h>

#include <string>

#include "win32/base/gdi_handles.h"

namespace varnel::win {

class BuiltDialog {
 public:
  BuiltDialog(HWND owner, DWORD style) : owner_(owner), style_(style) {}
  BuiltDialog(const BuiltDialog&) = delete;
  BuiltDialog& operator=(const BuiltDialog&) = delete;
  virtual ~BuiltDialog() = default;

  // Until the box ends; the id it ended with (-1 when it could not be made).
  INT_PTR show();

 protected:
  virtual void build(HWND dialog) = 0;
  // True when the command was the box's own.
  virtual bool onCommand(HWND dialog, int id) = 0;

  // The commands of a box that offers a text to copy: OK and Cancel close
  // it, copyId puts text on the clipboard. True when id was one of them.
  bool closeOrCopy(HWND dialog, int id, int copyId, const std::wstring& text) const;
  // Takes the owner's DPI and the message font at it: first thing in build.
  void takeOwnersDpi();
  HWND add(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style, int id,
           DWORD extendedStyle = 0) const;
  // As wide as the longest line of text, within bounds: longer lines wrap.
  int widthFor(HWND dialog, const std::wstring& text) const;
  // The text at (left, top), wrapped at width; where the next control may begin.
  int addWords(HWND dialog, const std::wstring& text, int left, int top, int width) const;
  int buttonWidth(HWND dialog, const wchar_t* caption) const;
  int buttonHeight(HWND dialog) const;
  int scaled(int pixels) const;
  // The box around a client area of that size, centred over the owner.
  void place(HWND dialog, int clientWidth, int clientHeight) const;
  HFONT font() const;

  HWND owner_;

 private:
  static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);

  DWORD style_;
  UINT dpi_ = 96;
  GdiObject font_;  // outlives the box that uses it
};

}  // namespace varnel::win
