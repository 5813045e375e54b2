#include "win32/ui/window_position_store.h"

namespace varnel::win {

namespace {

constexpr wchar_t kLeft[] = L"WindowLeft";
constexpr wchar_t kTop[] = L"WindowTop";

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

}  // namespace varnel::win
