// A run cut off by Varnel's end: what it made, read from the design, and the
// three ways of closing it, from every point the journal can be cut at.
#include <gtest/gtest.h>

#include "app/journal.h"
#include "app/main_window_presenter.h"
#include "app/renames_made.h"
#include "app/run_description.h"
#include "fixtures.h"
#include "presenter_fakes.h"
#include "renumber/plan_finish.h"

namespace varnel {
namespace {

using tests::design;
using tests::Engine;
using tests::words;

model::DesignSnapshot snapshotOf(const std::string& names) {
  model::DesignSnapshot snapshot;
  for (const std::string& name : words(names)) snapshot.parts.push_back(model::Part{name});
  return snapshot;
}

// R1 and R2 swap through a temporary number.
const std::vector<model::Rename> kSwap = {{1, "R1", "R100"}, {2, "R2", "R1"}, {1, "R100", "R2"}};
const char* const kSwapStates[] = {"R1 R2 C1", "R100 R2 C1", "R100 R1 C1", "R2 R1 C1"};

TEST(RenamesMade, AreReadFromTheDesignWhateverTheMarksSay) {
  for (std::size_t made = 0; made <= kSwap.size(); ++made) {
    for (std::size_t marked = 0; marked <= made; ++marked) {
      app::Journal journal;
      journal.plan = kSwap;
      journal.renames.assign(kSwap.begin(), kSwap.begin() + marked);
      const auto found = app::renamesMade(journal, snapshotOf(kSwapStates[made]));
      EXPECT_EQ(found, std::vector<model::Rename>(kSwap.begin(), kSwap.begin() + made))
          << made << " made, " << marked << " marked";
    }
  }
  app::Journal journal;
  journal.plan = kSwap;
  journal.renames = {kSwap[0]};
  EXPECT_EQ(app::renamesMade(journal, snapshotOf("R100 R7 C1")), journal.renames)
      << "a design changed since: the marks, for the undo's check to refuse";
}

TEST(PlanFinish, PlansTheRestOnceTheDesignShowsWhatWasMade) {
  const renumber::RenumberPlan rest = renumber::planFinish(snapshotOf("R100 R1 C1"), kSwap, 2);
  EXPECT_EQ(rest.renames, (std::vector<model::Rename>{kSwap[2]}));
  EXPECT_EQ(renumber::planFinish(snapshotOf("R1 R2 C1"), kSwap, 0).reasons,
            (std::vector<renumber::RenameReason>{renumber::RenameReason::movedAside,
                                                 renumber::RenameReason::renamed,
                                                 renumber::RenameReason::renamed}));
  EXPECT_TRUE(renumber::planFinish(snapshotOf("R2 R1 C1"), kSwap, 3).renames.empty());
  for (const auto& [names, difference] : std::vector<std::pair<std::string, std::string>>{
           {"R100 R9 C1", "position 2 is R9; the run left R2 there"},
           {"R100 R2 R1", "R1 is taken by the component at position 3"},
           {"R100", "position 2: no such component now"}}) {
    try {
      renumber::planFinish(snapshotOf(names), kSwap, 1);
      FAIL() << names;
    } catch (const base::Error& e) {
      EXPECT_EQ(e.number(), base::errors::kDesignChanged);
      EXPECT_NE(e.text().find(difference), std::string::npos) << e.text();
    }
  }
}

// The design as the host holds it after the plan's first `made` renames.
standin::DesignData after(const std::string& parts, const std::vector<model::Rename>& plan,
                          std::size_t made) {
  standin::DesignData data = design(parts);
  for (std::size_t k = 0; k < made; ++k) data.parts[plan[k].position - 1].designator = plan[k].to;
  return data;
}

struct Uninterrupted : Engine {
  explicit Uninterrupted(const std::string& parts) : Engine(design(parts)) {
    journals.keep = true;
    EXPECT_FALSE(runAll());
  }
  std::string journal() const { return journals.texts.begin()->second; }
};

// Closes the run of the journal text cut as given, over the design it left.
struct Recovered : Engine {
  Recovered(standin::DesignData left, const std::string& cut, app::Recovery choice)
      : Engine(std::move(left)) {
    journals.keep = true;
    journals.texts["/cut.journal"] = cut;
    outcome = session.run(app::recovering(app::parseJournal(cut), "/cut.journal", choice));
  }
  bool closed() const { return !app::parseJournal(journals.texts.at("/cut.journal")).cutOff(); }
};

std::size_t marksIn(const std::string& cut) {
  const app::Journal journal = app::parseJournal(cut);
  return journal.renames.size();
}

// Varnel ended at every byte the journal reached, before or after the
// rename that followed its last whole mark.
TEST(Recovery, EveryCutOfTheJournalIsClosedToTheRightState) {
  const std::string parts = "R3 R1 C2 R2 TP C1";
  const Uninterrupted whole(parts);
  const std::string text = whole.journal();
  const app::Journal full = app::parseJournal(text);
  const std::size_t endAt = text.find("completed\n");
  int checked = 0;
  for (std::size_t bytes = 0; bytes < endAt; ++bytes) {
    const std::string cut = text.substr(0, bytes);
    std::size_t marks = 0;
    try {
      marks = marksIn(cut);
    } catch (const base::Error& e) {
      ASSERT_EQ(e.number(), base::errors::kNotAJournal) << bytes;
      continue;  // cut in its first line: no rename was made
    }
    const bool planWhole = app::parseJournal(cut).holdsWholePlan();
    for (std::size_t made = marks; made <= std::min(marks + planWhole, full.plan.size()); ++made) {
      const auto left = after(parts, full.plan, made);
      Recovered finish(left, cut, app::Recovery::finish);
      if (planWhole) {
        EXPECT_FALSE(finish.outcome.error)
            << bytes << ": " << base::describe(*finish.outcome.error);
        EXPECT_EQ(finish.names(), whole.names()) << bytes;
        EXPECT_EQ(finish.outcome.log.entries(), whole.outcome.log.entries()) << bytes;
        EXPECT_TRUE(finish.closed()) << bytes;
      } else {
        EXPECT_TRUE(finish.outcome.error) << bytes;
        EXPECT_EQ(finish.names(), tests::designators(left)) << bytes;
      }
      Recovered takeBack(left, cut, app::Recovery::takeBack);
      EXPECT_FALSE(takeBack.outcome.error) << bytes;
      EXPECT_EQ(takeBack.names(), words(parts)) << bytes;
      EXPECT_TRUE(takeBack.closed()) << bytes;
      Recovered leave(left, cut, app::Recovery::leave);
      EXPECT_FALSE(leave.outcome.error) << bytes;
      EXPECT_EQ(leave.names(), tests::designators(left)) << bytes;
      EXPECT_EQ(leave.outcome.log.entries(),
                std::vector<model::Rename>(full.plan.begin(), full.plan.begin() + made))
          << bytes;
      EXPECT_TRUE(leave.closed()) << bytes;
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST(Recovery, FinishingWritesTheMarksTheJournalLackedThenTheEnd) {
  const Uninterrupted whole("R5 R6 R7");
  const std::string text = whole.journal();
  const std::string cut = text.substr(0, text.find("rename 1"));  // the first mark lost
  Recovered finish(after("R5 R6 R7", app::parseJournal(text).plan, 1), cut, app::Recovery::finish);
  EXPECT_EQ(finish.journals.texts.at("/cut.journal"), text + "recovered finish\n");
}

// An undo cut off after its first rename, finished: the run it took back is
// marked undone, as the whole undo would have marked it.
TEST(Recovery, AFinishedUndoMarksTheRunItTookBack) {
  Uninterrupted e("R5 R6");
  const std::string runPath = e.outcome.journal;
  const auto undo =
      e.session.run(app::takingBack(app::parseJournal(e.journal()), runPath, app::EcoOutput::none));
  ASSERT_FALSE(undo.error);
  const std::string undoText = e.journals.texts.at(undo.journal);
  const app::Journal undoJournal = app::parseJournal(undoText);
  // As the undo left things after its first rename: the run not yet marked.
  e.journals.texts[runPath] = e.journal().substr(0, e.journal().find("undone-by"));
  e.journals.texts[undo.journal] = undoText.substr(0, undoText.find("rename "));
  Engine finish(after("R1 R2", undoJournal.plan, 1));
  finish.journals.keep = true;
  finish.journals.texts = e.journals.texts;
  finish.outcome = finish.session.run(app::recovering(
      app::parseJournal(e.journals.texts[undo.journal]), undo.journal, app::Recovery::finish));
  ASSERT_FALSE(finish.outcome.error) << base::describe(*finish.outcome.error);
  EXPECT_EQ(finish.names(), words("R5 R6"));
  EXPECT_EQ(app::parseJournal(finish.journals.texts.at(runPath)).undoneBy,
            std::vector<std::string>{undo.journal});
}

TEST(Recovery, AChangedDesignIsNotFinishedAndTheJournalStaysOpen) {
  const Uninterrupted whole("R5 R6 R7");
  const std::string text = whole.journal();
  const std::string cut = text.substr(0, text.find("rename 2"));
  auto left = after("R5 R6 R7", app::parseJournal(text).plan, 1);
  left.parts[2].designator = "R2";  // renamed by hand since
  Recovered finish(left, cut, app::Recovery::finish);
  ASSERT_TRUE(finish.outcome.error);
  EXPECT_EQ(finish.outcome.error->number(), base::errors::kDesignChanged);
  EXPECT_FALSE(finish.closed());
  EXPECT_EQ(finish.names(), words("R1 R6 R2"));
}

// The window over a design that a run cut off left, its journal in the folder.
struct RecoveringWindow : tests::PresenterFakes {
  static constexpr const char* kPath = "/journals/test.sch 1.journal";

  RecoveringWindow(standin::DesignData left, const std::string& cut, app::Recovery choice)
      : PresenterFakes(std::make_shared<standin::MemoryHost>(std::move(left))) {
    journals.keep = true;
    journals.texts[kPath] = cut;
    view.recoveryChoice = choice;
    presenter.onLoad();
  }
};

// A run with "Write only" ended after its second rename (C3 to a temporary
// C10, as R5 went to R9), before its mark.
struct CutWriteOnlyRun {
  std::string parts = "R5 R6 R7 C3";
  Uninterrupted whole{parts};
  std::string cut;
  standin::DesignData left;
  CutWriteOnlyRun() {
    std::string text = whole.journal();
    text.replace(text.find("eco none"), 8, "eco write-only C:\\eco\\run.eco");
    cut = text.substr(0, text.find("rename 4 C3 C10"));
    left = after(parts, app::parseJournal(text).plan, 2);
  }
};

TEST(RecoveryBox, AtStartUpSaysWhatTheRunWasAndEachChoiceClosesIt) {
  const CutWriteOnlyRun run;
  for (const auto choice : {app::Recovery::finish, app::Recovery::takeBack, app::Recovery::leave}) {
    RecoveringWindow w(run.left, run.cut, choice);
    ASSERT_EQ(w.view.recoveryQuestions.size(), 1u);
    const app::RecoveryQuestion& asked = w.view.recoveryQuestions[0];
    EXPECT_TRUE(asked.canFinish);
    EXPECT_NE(asked.text.find("Varnel was ended in the middle of a run on test.sch, started " +
                              app::localTime("2026-12-07T16:05:09Z") +
                              " (Rename all components, start 1)."),
              std::string::npos)
        << asked.text;
    EXPECT_NE(asked.text.find("2 of its 6 planned renames were made"), std::string::npos)
        << asked.text;
    EXPECT_NE(asked.text.find("the ECO file of the whole run to C:\\eco\\run.eco"),
              std::string::npos)
        << asked.text;
    EXPECT_TRUE(w.view.messages.empty()) << w.view.messages[0].text;
    EXPECT_EQ(w.dialog.asked, 0) << "the run's own file, asked for no more";
    const std::string eco =
        w.files.files.count("C:\\eco\\run.eco") ? w.files.files.at("C:\\eco\\run.eco") : "";
    switch (choice) {
      case app::Recovery::finish:
        EXPECT_EQ(w.names(), run.whole.names());
        EXPECT_NE(eco.find("R7 R3"), std::string::npos) << eco;
        break;
      case app::Recovery::takeBack:
        EXPECT_EQ(w.names(), words(run.parts));
        EXPECT_EQ(eco, "") << "the run's file never reached the layout";
        break;
      case app::Recovery::leave:
        EXPECT_EQ(w.names(), tests::designators(run.left));
        EXPECT_NE(eco.find("C3 C10"), std::string::npos) << eco;
        EXPECT_EQ(eco.find("R7 R3"), std::string::npos) << eco;
        break;
      default:
        FAIL() << "not a choice of a run cut off in mid-run";
    }
    EXPECT_FALSE(app::parseJournal(w.journals.texts.at(RecoveringWindow::kPath)).cutOff());
    w.view.recoveryQuestions.clear();
    w.host->open(w.host->design());
    w.pump();
    EXPECT_TRUE(w.view.recoveryQuestions.empty()) << "the box never comes back for it";
  }
}

TEST(RecoveryBox, ADesignOpenedLaterIsOfferedItsCutOffRun) {
  const CutWriteOnlyRun run;
  auto other = design("U1");
  other.name = "other.sch";
  RecoveringWindow w(other, run.cut, app::Recovery::takeBack);
  EXPECT_TRUE(w.view.recoveryQuestions.empty()) << "another design's run";
  w.host->open(run.left);
  w.pump();
  ASSERT_EQ(w.view.recoveryQuestions.size(), 1u);
  EXPECT_EQ(w.names(), words(run.parts));
}

TEST(RecoveryBox, AJournalCutInItsPlanCannotBeFinished) {
  const CutWriteOnlyRun run;
  const std::string cut = run.cut.substr(0, run.cut.find("plan 3"));
  RecoveringWindow w(design(run.parts), cut, app::Recovery::leave);
  ASSERT_EQ(w.view.recoveryQuestions.size(), 1u);
  EXPECT_FALSE(w.view.recoveryQuestions[0].canFinish);
  EXPECT_NE(w.view.recoveryQuestions[0].text.find("0 of its 6 planned renames"), std::string::npos);
  EXPECT_FALSE(app::parseJournal(w.journals.texts.at(RecoveringWindow::kPath)).cutOff());
  EXPECT_EQ(w.names(), words(run.parts));
}

}  // namespace
}  // namespace varnel
