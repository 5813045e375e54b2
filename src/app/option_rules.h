#pragma once
// The rules that tie the main window's option controls together: choosing
// one option button of a pair clears its partner, a renumbering of all
// components has no conflict rule to choose, and the ECO options take input
// only while an ECO file is asked for.
#include <map>

#include "app/controls.h"

namespace varnel::app {

// What an option control shows: whether it is chosen and whether it takes input.
struct OptionState {
  bool checked = false;
  bool enabled = true;
  bool operator==(const OptionState&) const = default;
};

// The states of the controls the rules govern, by control: the option
// buttons, Write ECO and the start number box.
using OptionStates = std::map<Control, OptionState>;

// The controls optionsAfterClick and optionsFollowing read and set.
inline constexpr Control kRuledControls[] = {Control::allComponents,  Control::selectedComponents,
                                             Control::assignNextFree, Control::renameDuplicates,
                                             Control::writeOnly,      Control::forceReadInPcb,
                                             Control::writeEco,       Control::startNumber};

// The states after a click on clicked: an option button already chosen
// changes nothing; another is chosen, its partner cleared, and the controls
// that follow it set; Write ECO is ticked or cleared and the ECO options
// follow it. A click on any other control changes nothing.
OptionStates optionsAfterClick(OptionStates states, Control clicked);

// The states of the controls that follow chosen, once it is chosen (or,
// for Write ECO, toggled): the conflict rules and the start number box
// follow the two kinds of run, the ECO options follow Write ECO.
OptionStates optionsFollowing(OptionStates states, Control chosen);

}  // namespace varnel::app
