#pragma once
// The Preview window: every planned rename in a list, a summary, and for a
// run over selected components a map of them in numbering order. Owned by
// the main window, resizable; Rename, Copy and Close (also Esc).
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/map_image.h"
#include "app/preview_view.h"
#include "win32/base/dpi.h"
#include "win32/base/gdi_handles.h"
#include "win32/base/window.h"
#include "win32/ui/check_list.h"
#include "win32/ui/painted_child.h"

namespace varnel::win {

class PreviewWindow final : public Window, public app::PreviewView {
 public:
  // What Rename and closing the window do.
  struct Handlers {
    std::function<void()> rename;
    std::function<void()> closed;
    // A row's check box toggled: its component, and whether it is checked now.
    std::function<void(const std::string&, bool)> rowChecked;
  };
  // Made the first time it shows, owned by owner and at its DPI.
  PreviewWindow(HWND owner, Handlers handlers) : owner_(owner), handlers_(std::move(handlers)) {}
  ~PreviewWindow() override { destroyUnheard(); }

  void showPreview(const app::Preview& preview) override;
  void closePreview() override;

  HWND list() const { return list_.handle(); }
  HWND summary() const { return summary_; }
  HWND note() const { return note_; }
  HWND map() const { return map_ ? map_->handle() : nullptr; }
  // Keys of its own: Tab between its buttons, Esc closes it.
  bool translate(MSG& message);

 private:
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void onDpiChanged(WPARAM wParam, LPARAM lParam);
  void create();
  void applyDpi(UINT dpi);
  void fill();
  void layout();
  int noteHeight(int width) const;
  std::wstring noteText() const;
  std::optional<std::size_t> rowOf(const std::string& component) const;
  void askToggle(int row, std::optional<bool> checked);
  void onRowsToggled();
  void measureColumns();
  void sizeColumns();
  void paintMap(HDC dc, const RECT& area) const;
  void paintLines(HDC dc, const std::vector<app::MapPixel>& pixels) const;
  void paintLabels(HDC dc, const std::vector<app::MapPixel>& pixels, const RECT& area) const;
  void copyToClipboard() const;
  // Pixels at 96 DPI as pixels at the window's DPI.
  int scaled(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), kDefaultDpi); }

  HWND owner_;
  Handlers handlers_;
  UINT dpi_ = kDefaultDpi;  // the main window's when it opened
  GdiObject font_;          // outlives the window that uses it
  // Children of the window, destroyed with it.
  CheckList list_;
  HWND summary_ = nullptr, note_ = nullptr;
  std::optional<PaintedChild> map_;
  HWND renameButton_ = nullptr, copyButton_ = nullptr, closeButton_ = nullptr;
  app::Preview preview_;
  int columnWidths_[4] = {};  // as measured for preview_ at the window's font
  std::string toggled_;       // the component whose check box was toggled last
  bool keepScroll_ = false;   // the list is filled again for a check box toggled
  // Toggles told and not yet handled: a component and whether it is to be checked.
  std::vector<std::pair<std::string, bool>> pendingToggles_;
};

}  // namespace varnel::win
