#pragma once
// What the user chose for a renumbering, read from the window once when Run
// is pressed.
#include "base/int16.h"
#include "renumber/numbering_rules.h"

namespace varnel::renumber {

// Which components a run renames (not the host's Scope, a sheet of the design).
enum class RunScope { allComponents, selectedComponents };

// In a selected-components run, what happens when the wanted name is taken.
enum class ConflictRule { assignNextFree, renameDuplicates };

struct RunSettings {
  RunScope scope = RunScope::allComponents;
  ConflictRule conflictRule = ConflictRule::assignNextFree;
  base::Int16 start = 1;  // the first number of every prefix; never 0
  NumberingRules rules;
};

}  // namespace varnel::renumber
