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

// A run whose renames were made before: only its ECO file went now.
std::string deliveryStatus(const RunOutcome& outcome) {
  const std::string renames =
      std::to_string(outcome.log.size()) + (outcome.log.size() == 1 ? " rename" : " renames");
  if (outcome.cancelled) return "No ECO file was chosen; the layout has not followed the run yet.";
  if (outcome.error) return "The ECO file of the run's " + renames + " did not reach the layout.";
  switch (outcome.eco) {
    case EcoOutput::writeOnly:
      return "The ECO file of the run's " + renames + " is " + outcome.ecoFile + ".";
    case EcoOutput::forceReadInPcb:
      return "PowerPCB has read the ECO file of the run's " + renames + ".";
    default:
      return "The run's " + renames + " stand; the layout was left as it is.";
  }
}

}  // namespace

std::string runStatus(const RunOutcome& outcome) {
  if (outcome.deliveryOnly) return deliveryStatus(outcome);
  if (outcome.cancelled) return "No ECO file was chosen; nothing was renamed.";
  const std::size_t n = outcome.log.size();
  // An undo says so: its renames took a run back.
  const std::string made =
      outcome.takenBack
          ? "Undo: " + std::to_string(n) + (n == 1 ? " rename taken back" : " renames taken back")
          : renamesMade(n);
  if (outcome.error)
    return outcome.log.empty() ? "Nothing was renamed." : made + " before the run stopped.";
  if (outcome.log.empty())
    return outcome.noneSelected ? "No component is selected in PowerLogic." : kNothingToRename;
  return made + whereTheEcoFileWent(outcome);
}

}  // namespace varnel::app
