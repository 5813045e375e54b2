#include "win32/ui/window_position.h"

namespace varnel::win {

namespace {

constexpr wchar_t kLeft[] = L"WindowLeft";
constexpr wchar_t kTop[] = L"WindowTop";

std::optional<int> readNumber(const std::wstring& key, const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  return static_cast<int>(value);  // negative left of or above the primary monitor
}

void writeNumber(const std::wstring& key, const wchar_t* name, int number) {
  const auto value = static_cast<DWORD>(number);
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_DWORD, &value, sizeof value);
}

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& list = *reinterpret_cast<std::vector<ui::ScreenRect>*>(areas);
  const RECT& r = info.rcWork;
  const ui::ScreenRect area{r.left, r.top, r.right, r.bottom};
  if (info.dwFlags & MONITORINFOF_PRIMARY)
    list.insert(list.begin(), area);
  else
    list.push_back(area);
  return TRUE;
}

}  // namespace

std::optional<ui::ScreenPoint> WindowPositionStore::load() const {
  const auto left = readNumber(key_, kLeft);
  const auto top = readNumber(key_, kTop);
  if (!left || !top) return std::nullopt;
  return ui::ScreenPoint{*left, *top};
}

void WindowPositionStore::save(ui::ScreenPoint topLeft) const {
  writeNumber(key_, kLeft, topLeft.x);
  writeNumber(key_, kTop, topLeft.y);
}

void WindowPositionStore::forget() const {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), kLeft);
  RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), kTop);
}

ui::ScreenRect workAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
  const RECT& r = info.rcWork;
  return {r.left, r.top, r.right, r.bottom};
}

std::vector<ui::ScreenRect> monitorWorkAreas() {
  std::vector<ui::ScreenRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, &addWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

}  // namespace varnel::win
