#pragma once
// The common save dialog, owned by the main window and modal to it.
#include <windows.h>

#include "app/save_dialog.h"

namespace varnel::win {

class SaveFileDialog final : public ui::SaveDialog {
 public:
  explicit SaveFileDialog(HWND owner = nullptr) : owner_(owner) {}
  void setOwner(HWND owner) { owner_ = owner; }
  // filter in the "description|pattern|" form.
  std::string askSavePath(const std::string& filter) override;

 private:
  HWND owner_;
};

}  // namespace varnel::win
