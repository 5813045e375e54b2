#include "win32/base/text_metrics.h"

#include "win32/base/window_dc.h"

namespace varnel::win {

int textWidth(HWND window, HGDIOBJ font, const std::wstring& text) {
  WindowDc dc(window, font);
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int fontHeight(HWND window, HGDIOBJ font) {
  WindowDc dc(window, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace varnel::win
