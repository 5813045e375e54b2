#include "app/recovery_question.h"

#include "app/run_description.h"

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

// PowerPCB may have read a file whose read was under way when Varnel was
// ended; a second read would rename the board's parts again.
std::string readUnderWay(const Journal& journal) {
  if (!journal.deliveryBegun) return "";
  return " PowerPCB had begun reading it: look at the layout first, and send it only if the "
         "layout still shows the names from before the run.";
}

RecoveryQuestion undeliveredQuestion(const Journal& journal) {
  RecoveryQuestion question;
  question.title = "Varnel: the layout has not followed a run";
  question.choices = {RecoveryChoice{Recovery::send, "&Send the ECO file to PowerPCB now"},
                      RecoveryChoice{Recovery::write, "&Write the ECO file"},
                      RecoveryChoice{Recovery::leave, "&Leave it"}};
  const std::string made = renames(journal.renames.size());
  question.text =
      "Varnel was ended while it delivered the ECO file of a run on " + journal.design +
      ", started " + localTime(journal.started) + " (" + settingsInWords(journal.settings) +
      ").\n\nAll its " + made + " stand in the schematic; the ECO file did not reach " +
      (journal.eco == EcoOutput::writeOnly ? journal.ecoFile : "PowerPCB") + "." +
      readUnderWay(journal) +
      "\n\nSend the ECO file to PowerPCB now: PowerPCB, with the layout open, reads "
      "the ECO file of the " +
      made + ".\n" + "Write the ECO file: save it, to read it into PowerPCB yourself.\n" +
      "Leave it: the renames all stand, and the layout does not follow them.";
  return question;
}

}  // namespace

RecoveryQuestion recoveryQuestion(const Journal& journal, std::size_t made) {
  if (journal.undelivered()) return undeliveredQuestion(journal);
  RecoveryQuestion question;
  question.canFinish = journal.holdsWholePlan();
  question.text = "Varnel was ended in the middle of a run on " + journal.design + ", started " +
                  localTime(journal.started) + " (" + settingsInWords(journal.settings) + ").\n\n" +
                  std::to_string(made) + " of its " + std::to_string(journal.planned) +
                  " planned renames were made; the layout has not followed them.\n\n" +
                  choices(journal, made, question.canFinish);
  return question;
}

}  // namespace varnel::app
