#pragma once
// The report window of designators left alone, as the core sees it: it only shows text.
#include <string>

namespace varnel::app {

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

}  // namespace varnel::app
