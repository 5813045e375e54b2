#pragma once
// Where the main window opens: the position it was last closed at, kept
// under HKEY_CURRENT_USER\Software\Varnel, and the monitors there are now.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/window_placement.h"
#include "win32/base/user_registry_key.h"

namespace varnel::win {

class WindowPositionStore {
 public:
  explicit WindowPositionStore(UserRegistryKey key = UserRegistryKey()) : key_(std::move(key)) {}
  std::optional<app::ScreenPoint> load() const;
  void save(app::ScreenPoint topLeft) const;
  void forget() const;

 private:
  UserRegistryKey key_;
};

// The work areas of the monitors attached now, the primary monitor's first.
std::vector<app::ScreenRect> monitorWorkAreas();

// The work area of the monitor that holds most of window (the primary
// monitor's when window is null).
app::ScreenRect workAreaOf(HWND window);

}  // namespace varnel::win
