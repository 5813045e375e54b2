#pragma once
// A message too long for a message box (the differences an undo or a finish
// is refused on, the renames no ECO file holds): a modal box whose text
// scrolls in a read-only field, with Copy and Close, that always fits the
// screen.
#include <windows.h>

#include <string>

namespace varnel::win {

// More lines than a message box shows whole on a small screen.
bool needsScrolling(const std::string& text);

void showLongMessage(HWND owner, const std::string& title, const std::string& text);

}  // namespace varnel::win
