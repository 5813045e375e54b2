#pragma once
// The report window: an untitled, unowned window with one multi-line edit box.
#include <string>

#include "app/report_view.h"
#include "win32/base/dpi.h"
#include "win32/base/window_handle.h"

namespace varnel::win {

class ReportWindow final : public app::ReportView {
 public:
  ReportWindow() = default;
  ReportWindow(const ReportWindow&) = delete;
  ReportWindow& operator=(const ReportWindow&) = delete;
  // The window must not call back into a half-destroyed object.
  ~ReportWindow() override { unbindWindowObject(window_.get()); }
  bool isOpen() override;
  std::string text() override;
  void show(const std::string& text) override;
  void close() { window_.reset(); }
  // It opens to the right of this window, which stays on top of it.
  void openBeside(HWND neighbour) { neighbour_ = neighbour; }
  HWND handle() const { return window_.get(); }

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void create();
  // The font, the edit box and the window's size at dpi.
  void applyDpi(UINT dpi);
  SIZE editSize() const;
  SIZE frameSize(SIZE edit) const;
  POINT placeFor(SIZE frame) const;

  UINT dpi_ = kDefaultDpi;  // the main window's when it opened
  GdiObject font_;          // outlives the window that uses it
  WindowHandle window_;
  HWND edit_ = nullptr;
  HWND neighbour_ = nullptr;
};

}  // namespace varnel::win
