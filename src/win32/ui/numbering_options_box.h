#pragma once
// The Numbering options window: keep names already right, locked
// designators, only these prefixes, a start number per prefix; OK and
// Cancel. OK with a field that cannot be taken says which entry is wrong and
// puts the caret in that field.
#include <windows.h>

#include <optional>

#include "app/main_window_view.h"

namespace varnel::win {

// What OK took; nothing for Cancel, or when the box could not be shown.
std::optional<renumber::RulesTexts> askNumberingOptions(
    HWND owner, const renumber::RulesTexts& current, const app::MainWindowView::RulesCheck& check);

}  // namespace varnel::win
