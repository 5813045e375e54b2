#pragma once
// The Numbering options as the main window keeps them: loaded once from the
// store, changed in the Numbering options window, and kept for later
// sessions when its OK is pressed.
#include "app/main_window_view.h"
#include "app/numbering_options_store.h"
#include "renumber/numbering_rules.h"

namespace varnel::app {

class NumberingOptionsEditor {
 public:
  NumberingOptionsEditor(MainWindowView& view, NumberingOptionsStore& store);

  // Opens the Numbering options window; true when OK kept new rules.
  bool edit();
  const renumber::NumberingRules& rules() const { return rules_; }

 private:
  MainWindowView& view_;
  NumberingOptionsStore& store_;
  renumber::RulesTexts kept_;  // as last chosen, the board's texts too
  renumber::NumberingRules rules_;
};

}  // namespace varnel::app
