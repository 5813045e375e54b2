#pragma once
// The common save dialog, as ECO delivery uses it.
#include <string>

namespace varnel::app {

class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  // The chosen path, or an empty text when the user cancelled. The dialog
  // proposes proposedName in the folder of the last file written.
  // Throws varnel::base::Error when the dialog itself fails.
  virtual std::string askSavePath(const std::string& filter, const std::string& proposedName) = 0;
  // A file the dialog gave was written: the next one opens in its folder.
  virtual void written(const std::string& path) = 0;
};

}  // namespace varnel::app
