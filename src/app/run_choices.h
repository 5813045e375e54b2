#pragma once
// What the main window's controls ask of a run, read from them once, and
// the request a renumbering with those choices is.
#include <optional>
#include <string>

#include "app/eco_output.h"
#include "app/main_window_view.h"
#include "app/run_request.h"
#include "renumber/numbering_rules.h"

namespace varnel::app {

struct RunChoices {
  std::optional<renumber::RunScope> scope;  // none while neither kind of run is chosen
  bool renameDuplicates = false;
  std::string startText;  // as typed
  EcoOutput eco = EcoOutput::none;
};

// The choices the view's controls show now.
RunChoices choicesOf(MainWindowView& view);

// Where the ECO file goes, as the view's ECO controls say.
EcoOutput ecoOf(MainWindowView& view);

// The renumbering the choices ask for, with the Numbering options kept; the
// choices must name a kind of run and a legal start number.
RunRequest requestFor(const RunChoices& choices, const renumber::NumberingRules& rules);

}  // namespace varnel::app
