#pragma once
// What changed in a design since a run left it: the check that undo and the
// closing of a cut-off run make before they rename anything.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/error.h"
#include "model/working_design.h"

namespace varnel::renumber {

// Each position whose component does not bear the name expected there.
std::vector<std::string> differencesFrom(const model::WorkingDesign& design,
                                         const std::map<std::int32_t, std::string>& expected);

// The difference of a name that a run would give, or give back, and that
// another component bears now.
std::string takenByText(const std::string& name, std::int32_t holder);

// Error 1005, every difference listed.
base::Error changedDesignRefusal(const std::vector<std::string>& differences);

}  // namespace varnel::renumber
