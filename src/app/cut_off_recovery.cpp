#include "app/cut_off_recovery.h"

#include "app/recovery_question.h"

namespace varnel::app {

CutOffRecovery::Asked CutOffRecovery::ask(const std::string& design) {
  Asked asked;
  try {
    const auto path = journals_.newestCutOff(design);
    if (!path) return asked;
    asked.found = true;
    Journal journal = parseJournal(journals_.read(*path));
    const std::size_t made = work_.run([&] { return session_.renamesMadeBy(journal).size(); });
    const RecoveryQuestion question = recoveryQuestion(journal, made);
    if (const auto choice = view_.askRecovery(question))
      asked.closing = recovering(std::move(journal), *path, *choice);
  } catch (const base::Error& e) {
    asked.found = true;
    errors_.show(e);
  }
  return asked;
}

}  // namespace varnel::app
