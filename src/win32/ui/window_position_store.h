#pragma once
// Where the main window was last closed, kept under
// HKEY_CURRENT_USER\Software\Varnel.
#include <optional>

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

}  // namespace varnel::win
