#pragma once
// About Varnel: a modal box over the main window with the version and the
// design, and the journal folder in a read-only field of its own, whole on
// one line however long, with Copy beside it.
#include <windows.h>

#include "app/main_window_view.h"

namespace varnel::win {

void showAboutBox(HWND owner, const app::AboutContent& about);

}  // namespace varnel::win
