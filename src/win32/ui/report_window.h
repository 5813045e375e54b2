#pragma once
// The report window: an untitled, unowned window with one multi-line edit box.
#include <string>

#include "app/report_view.h"
#include "win32/base/dpi.h"
#include "win32/base/gdi_handles.h"
#include "win32/base/window.h"

namespace varnel::win {

class ReportWindow final : public Window, public app::ReportView {
 public:
  // It opens to the right of neighbour, which stays on top of it.
  explicit ReportWindow(HWND neighbour) : neighbour_(neighbour) {}
  ~ReportWindow() override { destroyUnheard(); }
  bool isOpen() override { return handle() != nullptr; }
  std::string text() override;
  void show(const std::string& text) override;
  void close() { destroy(); }

 private:
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void create();
  // The font, the edit box and the window's size at dpi.
  void applyDpi(UINT dpi);
  SIZE editSize() const;
  SIZE frameSize(SIZE edit) const;
  POINT placeFor(SIZE frame) const;

  UINT dpi_ = kDefaultDpi;  // the main window's when it opened
  GdiObject font_;          // outlives the window that uses it
  HWND edit_ = nullptr;     // a child of the window, destroyed with it
  HWND neighbour_ = nullptr;
};

}  // namespace varnel::win
