#include "app/run_request.h"

#include "renumber/numbering_rules_text.h"

namespace varnel::app {

RunRequest recovering(Journal journal, std::string journalPath, Recovery choice) {
  RunRequest request = takingBack(std::move(journal), std::move(journalPath), EcoOutput::none);
  request.recovery = choice;
  if (choice != Recovery::takeBack) {
    request.eco = request.takeBack->eco;
    if (request.eco == EcoOutput::writeOnly) request.ecoFile = request.takeBack->ecoFile;
  }
  return request;
}

const char* recoveryWord(Recovery choice) {
  switch (choice) {
    case Recovery::finish:
      return "finish";
    case Recovery::takeBack:
      return "take-back";
    default:
      return "leave";
  }
}

std::string requestText(const RunRequest& request) {
  if (request.isRecovery())
    return "--recover " + request.journalPath + " --" + recoveryWord(*request.recovery);
  if (request.isUndo()) return "--undo " + request.journalPath;
  const RunSettings& settings = request.settings;
  std::string text = settings.scope == Scope::allComponents ? "--all" : "--selected";
  if (settings.scope == Scope::selectedComponents)
    text += settings.conflictRule == ConflictRule::assignNextFree ? " --assign" : " --duplicates";
  text += " --start " + std::to_string(settings.start);
  text += rules::rulesOptionText(settings.rules);
  // Only a selected-components run visits components by placement.
  if (settings.scope == Scope::selectedComponents)
    text += rules::placementOptionText(settings.rules.placement);
  if (request.eco == EcoOutput::writeOnly) text += " --eco write-only";
  if (request.eco == EcoOutput::forceReadInPcb) text += " --eco force-read";
  return text;
}

}  // namespace varnel::app
