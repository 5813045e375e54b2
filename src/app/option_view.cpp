#include "app/option_view.h"

namespace varnel::app {

namespace {

OptionStates optionStatesOf(MainWindowView& view) {
  OptionStates states;
  for (const Control id : kRuledControls) states[id] = {view.checked(id), view.enabled(id)};
  return states;
}

// Sets the controls whose states differ from before, after chosen was
// clicked or chosen.
void show(MainWindowView& view, const OptionStates& before, const OptionStates& after,
          Control chosen) {
  for (const auto& [id, state] : after) {
    if (state.checked != before.at(id).checked) view.setChecked(id, state.checked);
    if (state.enabled != before.at(id).enabled) view.setEnabled(id, state.enabled);
  }
  // A box that takes typing looks like one, in the window's colours, and a
  // disabled one is grey; the kind of run chosen decides which it is.
  if (chosen == Control::allComponents || chosen == Control::selectedComponents)
    view.setBackground(Control::startNumber, after.at(Control::startNumber).enabled
                                                 ? SystemColour::window
                                                 : SystemColour::inactiveBorder);
}

}  // namespace

void clickOption(MainWindowView& view, Control clicked) {
  const OptionStates before = optionStatesOf(view);
  show(view, before, optionsAfterClick(before, clicked), clicked);
}

void followChoice(MainWindowView& view, Control chosen) {
  const OptionStates before = optionStatesOf(view);
  show(view, before, optionsFollowing(before, chosen), chosen);
}

}  // namespace varnel::app
