#pragma once
// The stand-ins' window: the parts (designator, X, Y) in a list box whose
// selection is what the stand-in reports, and a File menu.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "standin/design.h"
#include "win32/base/window.h"

namespace varnel::standin {

class PartListWindow final : public win::Window {
 public:
  struct Handlers {
    std::function<void(const std::vector<bool>&)> selectionChanged;
    std::function<void()> open;    // File > Open...; empty: no such item
    std::function<void()> saveAs;  // File > Save As...
  };

  PartListWindow(const std::wstring& title, bool multipleSelection, Handlers handlers);

  void show(const DesignData& design);
  // 1-based. Shown once the stand-in is idle: a run renames hundreds.
  void updatePart(int position, const PartData& part);

 private:
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT respond(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void showPendingUpdates();

  HWND list_ = nullptr;
  Handlers handlers_;
  std::wstring program_;  // "PowerLogic (stand-in)", after the design's name in the title
  std::map<int, PartData> pending_;
};

// Asks for a file with the common dialog; empty when cancelled.
std::string askFile(HWND owner, bool forSaving);

}  // namespace varnel::standin
