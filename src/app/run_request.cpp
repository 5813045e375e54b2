#include "app/run_request.h"

#include "renumber/board_settings_text.h"

#include "renumber/numbering_rules_text.h"

namespace varnel::app {

const JournalRun* RunRequest::journalRun() const {
  if (const TakingBack* taking = undo()) return &taking->run;
  if (const Recovering* closing = recovery()) return &closing->run;
  return nullptr;
}

bool RunRequest::takesBack() const {
  return undo() || (recovery() && recovery()->choice == Recovery::takeBack);
}

RunRequest recovering(Journal journal, std::string journalPath, Recovery choice) {
  RunRequest request{Recovering{{std::move(journal), std::move(journalPath)}, choice}, {}, {}};
  const Journal& run = request.recovery()->run.journal;
  if (run.undelivered()) {
    if (choice == Recovery::send) request.eco = EcoOutput::forceReadInPcb;
    if (choice == Recovery::write) request.eco = EcoOutput::writeOnly;
    if (choice == Recovery::write && run.eco == EcoOutput::writeOnly) request.ecoFile = run.ecoFile;
  } else if (choice != Recovery::takeBack) {
    request.eco = run.eco;
    if (request.eco == EcoOutput::writeOnly) request.ecoFile = run.ecoFile;
  }
  return request;
}

const char* recoveryWord(Recovery choice) {
  switch (choice) {
    case Recovery::finish:
      return "finish";
    case Recovery::takeBack:
      return "take-back";
    case Recovery::send:
      return "send";
    case Recovery::write:
      return "write";
    default:
      return "leave";
  }
}

namespace {

std::string howItEnded(const Journal& journal) {
  std::string how = journal.end == Journal::End::completed ? "it completed"
                    : journal.end == Journal::End::failed  ? "it stopped on an error"
                                                           : "it was cut off";
  if (!journal.recovered.empty()) how += ", and was closed with " + journal.recovered;
  if (journal.undone()) how += ", and was taken back by " + journal.undoneBy.back();
  return how;
}

}  // namespace

std::optional<base::Error> unfitRecovery(const Journal& journal, const std::string& journalPath,
                                         Recovery choice) {
  const std::string run = "The run of " + journalPath + ", started " + journal.started;
  if (!journal.needsClosing())
    return base::errors::refusal(base::errors::kRecoveryUnfit,
                                 run + ", is closed already: " + howItEnded(journal) + ".");
  const bool forDelivery = choice == Recovery::send || choice == Recovery::write;
  if (journal.cutOff() && forDelivery)
    return base::errors::refusal(
        base::errors::kRecoveryUnfit,
        run + ", was cut off in mid-run: it is finished, taken back or left.");
  if (journal.undelivered() && (choice == Recovery::finish || choice == Recovery::takeBack))
    return base::errors::refusal(base::errors::kRecoveryUnfit,
                                 run +
                                     ", made all its renames; only its ECO file did not reach the "
                                     "layout: it is sent, written or left.");
  return std::nullopt;
}

std::string requestText(const RunRequest& request) {
  if (const Recovering* closing = request.recovery())
    return "--recover " + closing->run.path + " --" + recoveryWord(closing->choice);
  if (const TakingBack* taking = request.undo()) return "--undo " + taking->run.path;
  const renumber::RunSettings& settings = request.renumbering()->settings;
  std::string text = settings.scope == renumber::RunScope::allComponents ? "--all" : "--selected";
  if (settings.scope == renumber::RunScope::selectedComponents)
    text += settings.conflictRule == renumber::ConflictRule::assignNextFree ? " --assign"
                                                                            : " --duplicates";
  text += " --start " + std::to_string(settings.start);
  text += renumber::rulesOptionText(settings.rules);
  // Only a selected-components run visits components by the sheet's
  // placement; either run may number by the board's.
  if (settings.rules.board)
    text += renumber::boardOptionText(*settings.rules.board);
  else if (settings.scope == renumber::RunScope::selectedComponents)
    text += renumber::placementOptionText(settings.rules.placement);
  if (request.eco == EcoOutput::writeOnly) text += " --eco write-only";
  if (request.eco == EcoOutput::forceReadInPcb) text += " --eco force-read";
  return text;
}

}  // namespace varnel::app
