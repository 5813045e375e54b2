#pragma once
// Dots per inch of the monitor a window is on, and what follows from them.
// Windows 10's per-monitor functions are looked up when first needed:
// Windows 7 and 8 lack them and have one DPI for every monitor.
#include <windows.h>

#include "win32/base/gdi_handles.h"

namespace varnel::win {

inline constexpr UINT kDefaultDpi = 96;

// The DPI of the screen as a whole (the primary monitor's).
UINT systemDpi();
// The DPI of the monitor window is on; the system's where Windows has no other.
UINT dpiOf(HWND window);

// Twips (1440 to the inch) in pixels at dpi.
inline int twipsAt(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// A system metric (SM_CXSMICON ...) as it is at dpi.
int systemMetricAt(int index, UINT dpi);

// The system's message font (the one message boxes use) at dpi.
GdiObject messageFontAt(UINT dpi);
// font, or the stock GUI font when it could not be made.
inline HGDIOBJ fontOrDefault(const GdiObject& font) {
  return font.get() ? font.get() : GetStockObject(DEFAULT_GUI_FONT);
}

// The window rectangle, at the origin, that gives a client area of width by
// height to a window of style and extendedStyle at dpi.
RECT frameAround(int width, int height, DWORD style, DWORD extendedStyle, UINT dpi);

}  // namespace varnel::win
