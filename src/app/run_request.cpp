#include "app/run_request.h"

namespace varnel::app {

std::string requestText(const RunRequest& request) {
  if (request.isUndo()) return "--undo " + request.journalPath;
  const RunSettings& settings = request.settings;
  std::string text = settings.scope == Scope::allComponents ? "--all" : "--selected";
  if (settings.scope == Scope::selectedComponents)
    text += settings.conflictRule == ConflictRule::assignNextFree ? " --assign" : " --duplicates";
  text += " --start " + std::to_string(settings.start);
  if (request.eco == EcoOutput::writeOnly) text += " --eco write-only";
  if (request.eco == EcoOutput::forceReadInPcb) text += " --eco force-read";
  return text;
}

}  // namespace varnel::app
