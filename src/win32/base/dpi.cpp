#include "win32/base/dpi.h"

namespace varnel::win {

namespace {

template <class Function>
Function user32(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

}  // namespace

UINT systemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

UINT dpiOf(HWND window) {
  static const auto forWindow = user32<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = forWindow && window ? forWindow(window) : 0;
  return dpi ? dpi : systemDpi();
}

int systemMetricAt(int index, UINT dpi) {
  static const auto forDpi = user32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

GdiObject messageFontAt(UINT dpi) {
  static const auto forDpi = user32<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
    return GdiObject(CreateFontIndirectW(&metrics.lfMessageFont));
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return GdiObject();
  // The system's metrics are at the system's DPI.
  LOGFONTW& font = metrics.lfMessageFont;
  font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi()));
  return GdiObject(CreateFontIndirectW(&font));
}

RECT frameAround(int width, int height, DWORD style, DWORD extendedStyle, UINT dpi) {
  static const auto forDpi = user32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, width, height};
  if (!forDpi || !forDpi(&frame, style, FALSE, extendedStyle, dpi))
    AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
  return frame;
}

}  // namespace varnel::win
