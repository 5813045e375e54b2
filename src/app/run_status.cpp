#include "app/run_status.h"

#include "app/run_texts.h"

namespace varnel::app {

namespace {

std::string renamesMade(std::size_t n) {
  return std::to_string(n) + (n == 1 ? " rename made" : " renames made");
}

std::string whereTheEcoFileWent(const RunOutcome& outcome) {
  switch (outcome.eco) {
    case EcoOutput::writeOnly:
      return "; ECO file " + outcome.ecoFile + ".";
    case EcoOutput::forceReadInPcb:
      return "; ECO file read by PowerPCB.";
    default:
      return ".";
  }
}

}  // namespace

std::string runStatus(const RunOutcome& outcome) {
  if (outcome.cancelled) return "No ECO file was chosen; nothing was renamed.";
  if (outcome.error)
    return outcome.log.empty() ? "Nothing was renamed."
                               : renamesMade(outcome.log.size()) + " before the run stopped.";
  if (outcome.log.empty())
    return outcome.noneSelected ? "No component is selected in PowerLogic." : kNothingToRename;
  return renamesMade(outcome.log.size()) + whereTheEcoFileWent(outcome);
}

}  // namespace varnel::app
