#include "win32/ui/window_position.h"

namespace varnel::win {

namespace {

constexpr wchar_t kLeft[] = L"WindowLeft";
constexpr wchar_t kTop[] = L"WindowTop";

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

std::optional<app::ScreenPoint> WindowPositionStore::load() const {
  const auto left = key_.number(kLeft);
  const auto top = key_.number(kTop);
  if (!left || !top) return std::nullopt;
  // Negative left of or above the primary monitor.
  return app::ScreenPoint{static_cast<int>(*left), static_cast<int>(*top)};
}

void WindowPositionStore::save(app::ScreenPoint topLeft) const {
  key_.setNumber(kLeft, static_cast<DWORD>(topLeft.x));
  key_.setNumber(kTop, static_cast<DWORD>(topLeft.y));
}

void WindowPositionStore::forget() const {
  key_.erase(kLeft);
  key_.erase(kTop);
}

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
