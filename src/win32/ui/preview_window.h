#pragma once
// The Preview window: every planned rename in a list, a summary, and for a
// run over selected components a map of them in numbering order. Owned by
// the main window, resizable; Rename, Copy and Close (also Esc).
#include <functional>

#include "app/map_image.h"
#include "app/preview_view.h"
#include "win32/base/dpi.h"
#include "win32/base/window_handle.h"

namespace varnel::win {

class PreviewWindow final : public app::PreviewView {
 public:
  struct Handlers {
    std::function<void()> rename;
    std::function<void()> closed;
  };
  PreviewWindow() = default;
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;
  ~PreviewWindow() override;

  void setOwner(HWND owner) { owner_ = owner; }
  void setHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
  void showPreview(const app::Preview& preview) override;
  void closePreview() override;

  HWND handle() const { return window_.get(); }
  HWND list() const { return list_; }
  HWND summary() const { return summary_; }
  HWND note() const { return note_; }
  // Keys of its own: Tab between its buttons, Esc closes it.
  bool translate(MSG& message);

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK mapProcedure(HWND, UINT, WPARAM, LPARAM);
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void create();
  void applyDpi(UINT dpi);
  void fill();
  void layout();
  int noteHeight(int width) const;
  void sizeColumns();
  POINT labelAt(HDC dc, POINT p, app::LabelCorner corner, const std::wstring& label) const;
  void paintMap(HDC dc, const RECT& area) const;
  void copyToClipboard() const;
  // Pixels at 96 DPI as pixels at the window's DPI.
  int scaled(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), kDefaultDpi); }

  HWND owner_ = nullptr;
  UINT dpi_ = kDefaultDpi;  // the main window's when it opened
  GdiObject font_;          // outlives the window that uses it
  Handlers handlers_;
  WindowHandle window_;
  HWND list_ = nullptr, summary_ = nullptr, note_ = nullptr, map_ = nullptr;
  HWND renameButton_ = nullptr, copyButton_ = nullptr, closeButton_ = nullptr;
  app::Preview preview_;
};

}  // namespace varnel::win
