#include "app/option_rules.h"

namespace varnel::app {

namespace {

bool isOptionButton(Control id) {
  switch (id) {
    case Control::allComponents:
    case Control::selectedComponents:
    case Control::assignNextFree:
    case Control::renameDuplicates:
    case Control::writeOnly:
    case Control::forceReadInPcb:
      return true;
    default:
      return false;
  }
}

}  // namespace

OptionStates optionsAfterClick(OptionStates states, Control clicked) {
  if (clicked == Control::writeEco) {
    states[clicked].checked = !states[clicked].checked;
    return optionsFollowing(std::move(states), clicked);
  }
  if (!isOptionButton(clicked) || states[clicked].checked) return states;
  states[clicked].checked = true;
  states[partnerOf(clicked)].checked = false;
  return optionsFollowing(std::move(states), clicked);
}

OptionStates optionsFollowing(OptionStates states, Control chosen) {
  const bool all = chosen == Control::allComponents;
  if (all || chosen == Control::selectedComponents) {
    // A run of all components renames every one, so no conflict rule applies.
    states[Control::assignNextFree] = {!all, !all};
    states[Control::renameDuplicates] = {false, !all};
    states[Control::startNumber].enabled = states[chosen].checked;
  } else if (chosen == Control::writeEco) {
    // The ECO options flip together, whatever the box shows: the window has
    // always kept the two in step this way.
    const bool enable = !states[Control::writeOnly].enabled;
    states[Control::writeOnly].enabled = enable;
    states[Control::forceReadInPcb].enabled = enable;
  }
  return states;
}

}  // namespace varnel::app
