#pragma once
// The monitors attached now, by the area each leaves to windows.
#include <windows.h>

#include <vector>

#include "app/window_placement.h"

namespace varnel::win {

// The work areas of the monitors attached now, the primary monitor's first.
std::vector<app::ScreenRect> monitorWorkAreas();

// The work area of the monitor that holds most of window (the primary
// monitor's when window is null).
app::ScreenRect workAreaOf(HWND window);

}  // namespace varnel::win
