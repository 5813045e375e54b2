#pragma once
// The report window frmNotChanged as the core sees it: it only shows text.
#include <string>

namespace varnel::ui {

class ReportView {
 public:
  virtual ~ReportView() = default;
  // False before first use and after the user closed the window.
  virtual bool isOpen() = 0;
  // The text shown now (the user may have edited it).
  virtual std::string text() = 0;
  // Creates the window if needed, sets its text and shows it, not modal.
  virtual void show(const std::string& text) = 0;
};

// The save dialog dlgCommon.
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  // The chosen path, or an empty text when the user cancelled.
  // Throws varnel::Error when the dialog itself fails.
  virtual std::string askSavePath(const std::string& filter) = 0;
};

}  // namespace varnel::ui
