#pragma once
// The Preview window as the main window's logic sees it.
#include "app/preview.h"

namespace varnel::app {

class PreviewView {
 public:
  virtual ~PreviewView() = default;
  // Opens the window, or shows the new preview in the one open.
  virtual void showPreview(const app::Preview& preview) = 0;
  virtual void closePreview() = 0;
};

}  // namespace varnel::app
