// What a run may not do although it could: leave a designator without its
// letters, or change names that the requested ECO file could not carry.
#include "app/renumbering_session.h"
#include "eco/eco_file.h"
#include "model/designator.h"

namespace varnel::app {

namespace {

constexpr std::int64_t kNoPrefix = 1003;

}  // namespace

void RenumberingSession::refuseUnfitNames(const RenumberPlan& plan, const RunSettings& settings) {
  for (const Rename& rename : plan.renames) {
    if (designator::prefix(rename.from).empty())
      throw Error(kNoPrefix, "The designator '" + rename.from +
                                 "' does not begin with a capital letter (A-Z); the run would "
                                 "rename it to '" +
                                 rename.to + "'. Rename it by hand first. Nothing was renamed.");
    if (settings.eco == EcoOutput::none) continue;
    try {
      eco::encodedForEco(rename.from, encoder_);
      eco::encodedForEco(rename.to, encoder_);
    } catch (const Error& e) {
      throw Error(e.number(), e.text() + " Nothing was renamed.");
    }
  }
}

}  // namespace varnel::app
