#include "win32/ui/work_areas.h"

namespace varnel::win {

namespace {

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& list = *reinterpret_cast<std::vector<app::ScreenRect>*>(areas);
  const RECT& r = info.rcWork;
  const app::ScreenRect area{r.left, r.top, r.right, r.bottom};
  if (info.dwFlags & MONITORINFOF_PRIMARY)
    list.insert(list.begin(), area);
  else
    list.push_back(area);
  return TRUE;
}

}  // namespace

app::ScreenRect workAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
  const RECT& r = info.rcWork;
  return {r.left, r.top, r.right, r.bottom};
}

std::vector<app::ScreenRect> monitorWorkAreas() {
  std::vector<app::ScreenRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, &addWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

}  // namespace varnel::win
