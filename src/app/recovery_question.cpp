#include "app/recovery_question.h"

namespace varnel::app {

namespace {

std::string renames(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " rename" : " renames");
}

// What is done with the ECO file of what, as the run asked for it.
std::string ecoFileOf(const Journal& journal, const std::string& what) {
  switch (journal.eco) {
    case EcoOutput::writeOnly:
      return ", and write the ECO file of " + what + " to " + journal.ecoFile;
    case EcoOutput::forceReadInPcb:
      return ", and have PowerPCB read the ECO file of " + what;
    default:
      return "";
  }
}

std::string choices(const Journal& journal, std::size_t made, bool canFinish) {
  const std::size_t rest = journal.plan.size() > made ? journal.plan.size() - made : 0;
  std::string text =
      canFinish ? "Finish the run: make the other " + renames(rest) +
                      ecoFileOf(journal, "the whole run") + ".\n"
                : "The journal does not hold the whole plan: the run cannot be finished.\n";
  text += "Take it back: give the parts renamed their names from before.\n";
  text += "Leave it as it is: keep the " + renames(made) + " made" +
          (made ? ecoFileOf(journal, "them") : "") + ".";
  return text;
}

}  // namespace

RecoveryQuestion recoveryQuestion(const Journal& journal, std::size_t made) {
  RecoveryQuestion question;
  question.canFinish = journal.holdsWholePlan();
  question.text = "Varnel was ended in the middle of a run on " + journal.design + ", started " +
                  journal.started + " (" + journal.settings + ").\n\n" + std::to_string(made) +
                  " of its " + std::to_string(journal.planned) +
                  " planned renames were made; the layout has not followed them.\n\n" +
                  choices(journal, made, question.canFinish);
  return question;
}

}  // namespace varnel::app
