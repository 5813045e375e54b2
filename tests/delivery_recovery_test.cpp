// A run whose renames were all made and whose ECO file Varnel's end kept
// from the layout: the journal says so, and the run is closed by sending
// the file to PowerPCB, writing it, or leaving the layout as it is.
#include <gtest/gtest.h>

#include "app/journal.h"
#include "app/recovery_question.h"
#include "fixtures.h"
#include "presenter_fakes.h"

namespace varnel {
namespace {

using app::Recovery;
using tests::design;
using tests::Engine;

// A whole "Rename all" run with a forced read, its journal kept: what the
// layout read, and the journal as each point of the delivery left it.
struct DeliveredRun {
  Engine e{design("R5 R6 R7 C9 TP")};
  std::string journal, whole;
  std::string ecoRead;

  DeliveredRun() {
    e.journals.keep = true;
    e.options.send = true;
    EXPECT_FALSE(e.runAll());
    journal = e.outcome.journal;
    whole = e.journals.texts.at(journal);
    ecoRead = e.pcb.filesRead.at(0);
  }
  // The journal as Varnel ended just before the record that begins with next.
  std::string endedBefore(const std::string& next) const {
    return whole.substr(0, whole.find("\n" + next + "\n") + 1);
  }
};

TEST(DeliveryRecovery, TheJournalIsClosedOnlyOncePowerPcbReadTheFile) {
  const DeliveredRun run;
  EXPECT_NE(run.whole.find("completed\ndelivering\ndelivered\n"), std::string::npos) << run.whole;
  EXPECT_FALSE(app::parseJournal(run.whole).needsClosing());
  for (const char* next : {"delivering", "delivered"})
    EXPECT_TRUE(app::parseJournal(run.endedBefore(next)).undelivered()) << next;
  // A read that failed leaves the run to be closed, the file still there.
  Engine failing(design("R5 R6"));
  failing.journals.keep = true;
  failing.options.send = true;
  failing.pcb.readFailure = base::Error(0x80040302, "no such part");
  ASSERT_TRUE(failing.runAll());
  const app::Journal left = app::parseJournal(failing.journals.texts.at(failing.outcome.journal));
  EXPECT_TRUE(left.undelivered());
  EXPECT_TRUE(left.deliveryBegun);
  EXPECT_EQ(failing.files.files.count("/temp/test.eco"), 1u);
}

TEST(DeliveryRecovery, EachChoiceClosesTheRunFromEveryPointOfTheDelivery) {
  const DeliveredRun run;
  for (const char* next : {"delivering", "delivered"}) {
    for (Recovery choice : {Recovery::send, Recovery::write, Recovery::leave}) {
      const std::string at = std::string(next) + " " + app::recoveryWord(choice);
      Engine e(run.e.host->design());
      e.journals.keep = true;
      e.journals.texts[run.journal] = run.endedBefore(next);
      e.dialog.answer = "C:\\eco\\chosen.eco";
      const auto request =
          app::recovering(app::parseJournal(run.endedBefore(next)), run.journal, choice);
      e.host->resetCounts();
      e.outcome = e.session.run(request);
      ASSERT_FALSE(e.outcome.error) << at << ": " << base::describe(*e.outcome.error);
      EXPECT_EQ(e.host->totalCalls(), 0) << at << ": PowerLogic is not asked";
      EXPECT_EQ(e.names(), run.e.names()) << at;
      const app::Journal closed = app::parseJournal(e.journals.texts.at(run.journal));
      EXPECT_FALSE(closed.needsClosing()) << at;
      EXPECT_EQ(closed.recovered, app::recoveryWord(choice)) << at;
      const std::vector<std::string> read = choice == Recovery::send
                                                ? std::vector<std::string>{run.ecoRead}
                                                : std::vector<std::string>{};
      EXPECT_EQ(e.pcb.filesRead, read) << at;
      EXPECT_EQ(
          e.files.files.count("C:\\eco\\chosen.eco") ? e.files.files.at("C:\\eco\\chosen.eco") : "",
          choice == Recovery::write ? run.ecoRead : "")
          << at;
      EXPECT_FALSE(e.files.exists("/temp/test.eco")) << at << ": the forced-read file is gone";
    }
  }
}

TEST(DeliveryRecovery, ChoicesThatDoNotFitTheRunAreRefused) {
  const DeliveredRun run;
  Engine e(run.e.host->design());
  e.journals.keep = true;
  e.journals.texts[run.journal] = run.endedBefore("delivered");
  const auto cutOff = app::parseJournal(run.whole.substr(0, run.whole.find("completed")));
  for (const auto& [journal, choice, says] :
       std::vector<std::tuple<app::Journal, Recovery, std::string>>{
           {app::parseJournal(run.endedBefore("delivered")), Recovery::finish,
            "only its ECO file did not reach the layout"},
           {cutOff, Recovery::send, "was cut off in mid-run"},
           {app::parseJournal(run.whole), Recovery::leave, "is closed already: it completed"}}) {
    const auto outcome = e.session.run(app::recovering(journal, run.journal, choice));
    ASSERT_TRUE(outcome.error) << says;
    EXPECT_EQ(outcome.error->number(), base::errors::kRecoveryUnfit);
    EXPECT_NE(outcome.error->text().find(says), std::string::npos) << outcome.error->text();
  }
  EXPECT_TRUE(e.pcb.filesRead.empty());
  EXPECT_EQ(e.names(), run.e.names());
}

TEST(DeliveryRecovery, TheBoxAsksToSendWriteOrLeaveAndWarnsOfAReadUnderWay) {
  const DeliveredRun run;
  const auto beforeRead = recoveryQuestion(app::parseJournal(run.endedBefore("delivering")), 4);
  const auto duringRead = recoveryQuestion(app::parseJournal(run.endedBefore("delivered")), 4);
  EXPECT_EQ(beforeRead.title, "Varnel: the layout has not followed a run");
  EXPECT_EQ(beforeRead.choices[0].recovery, Recovery::send);
  EXPECT_EQ(beforeRead.choices[0].caption, "&Send the ECO file to PowerPCB now");
  EXPECT_EQ(beforeRead.choices[1].caption, "&Write the ECO file");
  EXPECT_EQ(beforeRead.choices[2].caption, "&Leave it");
  EXPECT_NE(beforeRead.text.find("All its 6 renames stand"), std::string::npos) << beforeRead.text;
  EXPECT_EQ(beforeRead.text.find("had begun reading"), std::string::npos) << beforeRead.text;
  EXPECT_NE(duringRead.text.find("PowerPCB had begun reading it: look at the layout first"),
            std::string::npos)
      << duringRead.text;
}

// The window offers the box for a run ended in its delivery, at start-up.
TEST(DeliveryRecovery, TheWindowOffersItAtStartUpAndSendsTheFile) {
  const DeliveredRun run;
  tests::PresenterFakes w(std::make_shared<standin::MemoryHost>(run.e.host->design()));
  w.journals.keep = true;
  w.journals.texts[run.journal] = run.endedBefore("delivering");
  w.view.recoveryChoice = Recovery::send;
  w.presenter.onLoad();
  ASSERT_EQ(w.view.recoveryQuestions.size(), 1u);
  EXPECT_EQ(w.pcb.filesRead, std::vector<std::string>{run.ecoRead});
  EXPECT_EQ(w.view.status, "PowerPCB has read the ECO file of the run's 6 renames.");
  EXPECT_FALSE(app::parseJournal(w.journals.texts.at(run.journal)).needsClosing());
}

}  // namespace
}  // namespace varnel
