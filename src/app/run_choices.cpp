#include "app/run_choices.h"

#include "model/designator.h"

namespace varnel::app {

EcoOutput ecoOf(MainWindowView& view) {
  if (!view.checked(Control::writeEco)) return EcoOutput::none;
  return view.checked(Control::writeOnly)        ? EcoOutput::writeOnly
         : view.checked(Control::forceReadInPcb) ? EcoOutput::forceReadInPcb
                                                 : EcoOutput::none;
}

RunChoices choicesOf(MainWindowView& view) {
  RunChoices choices;
  if (view.checked(Control::allComponents))
    choices.scope = renumber::RunScope::allComponents;
  else if (view.checked(Control::selectedComponents))
    choices.scope = renumber::RunScope::selectedComponents;
  choices.renameDuplicates = view.checked(Control::renameDuplicates);
  choices.startText = view.text(Control::startNumber);
  choices.eco = ecoOf(view);
  return choices;
}

RunRequest requestFor(const RunChoices& choices, const renumber::NumberingRules& rules) {
  renumber::RunSettings settings;
  settings.scope = *choices.scope;
  settings.conflictRule = choices.renameDuplicates ? renumber::ConflictRule::renameDuplicates
                                                   : renumber::ConflictRule::assignNextFree;
  settings.start = *model::designator::parseStartNumber(choices.startText);
  settings.rules = rules;
  return renumbering(settings, choices.eco);
}

}  // namespace varnel::app
