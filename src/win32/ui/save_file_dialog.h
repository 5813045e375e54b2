#pragma once
// The common save dialog, owned by the main window and modal to it. It
// opens in the folder of the last file it gave that was written (kept for
// the user between sessions), or in Documents the first time.
#include <windows.h>

#include "app/save_dialog.h"
#include "win32/base/user_registry_key.h"

namespace varnel::win {

class SaveFileDialog final : public app::SaveDialog {
 public:
  explicit SaveFileDialog(HWND owner, UserRegistryKey settings = UserRegistryKey())
      : owner_(owner), settings_(std::move(settings)) {}
  // filter in the "description|pattern|" form.
  std::string askSavePath(const std::string& filter, const std::string& proposedName) override;
  void written(const std::string& path) override;
  // The folder the next dialog opens in (UTF-8; empty when none is known).
  std::string startFolder() const;

 private:
  HWND owner_;
  UserRegistryKey settings_;
};

}  // namespace varnel::win
