#pragma once
// The option rules carried out on the main window's view: the states of the
// ruled controls read from it, worked out, and set where they changed.
#include "app/controls.h"
#include "app/main_window_view.h"
#include "app/option_rules.h"

namespace varnel::app {

// A click on clicked, as optionsAfterClick has it.
void clickOption(MainWindowView& view, Control clicked);
// The controls that follow chosen, already shown chosen, as optionsFollowing has it.
void followChoice(MainWindowView& view, Control chosen);

}  // namespace varnel::app
