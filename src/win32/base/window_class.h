#pragma once
// The window classes of this program.
#include <windows.h>

namespace varnel::win {

// The icon resource's id in res/varnel.rc.
inline constexpr int kProgramIconId = 1;

// Registers a window class of this program once: its procedure, arrow
// cursor, dialog-coloured background, the program's icon.
void registerWindowClass(const wchar_t* name, WNDPROC procedure = DefWindowProcW);

}  // namespace varnel::win
