#pragma once
// The common save dialog, as ECO delivery uses it.
#include <string>

namespace varnel::ui {

class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  // The chosen path, or an empty text when the user cancelled.
  // Throws varnel::Error when the dialog itself fails.
  virtual std::string askSavePath(const std::string& filter) = 0;
};

}  // namespace varnel::ui
