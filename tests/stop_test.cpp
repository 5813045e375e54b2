// Long work stopped by the user: between two calls to PowerLogic, never
// inside one. A run stopped after renames began ends as a cut-off run does
// and is offered to be closed at once; before them, it renamed nothing.
#include <gtest/gtest.h>

#include "app/journal.h"
#include "app/run_texts.h"
#include "presenter_fakes.h"

namespace varnel {
namespace {

using app::Control;
using tests::words;

// Five parts, all renamed: five questions while reading, then one before
// each of the renames (R5 and R6 moved aside first, then numbered).
struct Stopping : tests::PresenterFakes {
  Stopping()
      : PresenterFakes(std::make_shared<standin::MemoryHost>(tests::design("R5 R6 C9 C7 U4"))) {
    journals.keep = true;
    presenter.onLoad();
    presenter.onClick(Control::allComponents);
  }
  std::size_t renames() const { return host->renames().size(); }
};

TEST(Stop, TheRunsPhasesAreToldAndRunsPlaceHoldsStopWhileItWorks) {
  Stopping w;
  std::vector<std::string> captions;
  w.activity.atQuestion = [&] { captions.push_back(w.view.text(Control::run)); };
  w.presenter.onClick(Control::run);
  ASSERT_FALSE(captions.empty());
  EXPECT_EQ(captions.front(), app::kStopCaption);
  EXPECT_EQ(w.view.text(Control::run), "&Run") << "Run again once the work is over";
  EXPECT_EQ(w.activity.phases,
            (std::vector<std::string>{"Reading 5 components\u2026",
                                      "Reading: 5 of 5 components\u2026", "Renaming: 0 of 8"}));
  EXPECT_EQ(w.activity.begun, w.activity.ended);
}

TEST(Stop, AStopAfterRenamesBeganLeavesTheRunCutOffAndOffersToCloseItAtOnce) {
  for (app::Recovery choice : {app::Recovery::finish, app::Recovery::takeBack}) {
    Stopping w;
    w.activity.stopAtQuestion = 5 + 3;  // before the third rename
    w.view.recoveryChoice = choice;
    w.presenter.onClick(Control::run);
    ASSERT_EQ(w.view.recoveryQuestions.size(), 1u) << "offered at once";
    EXPECT_NE(w.view.recoveryQuestions[0].text.find("2 of its 8 planned renames were made"),
              std::string::npos)
        << w.view.recoveryQuestions[0].text;
    EXPECT_TRUE(w.view.messages.empty()) << "a stop is the user's doing: no error box";
    EXPECT_EQ(w.names(),
              choice == app::Recovery::finish ? words("R1 R2 C1 C2 U1") : words("R5 R6 C9 C7 U4"));
    for (const auto& [path, text] : w.journals.texts)
      EXPECT_FALSE(app::parseJournal(text).needsClosing()) << path;
  }
}

TEST(Stop, AStopBeforeTheFirstRenameRenamesNothingAndClosesItsJournal) {
  for (int question : {2, 5 + 1}) {  // while reading; after it, before the first rename
    Stopping w;
    w.activity.stopAtQuestion = question;
    w.presenter.onClick(Control::run);
    EXPECT_EQ(w.renames(), 0u) << question;
    EXPECT_TRUE(w.view.recoveryQuestions.empty()) << question;
    EXPECT_TRUE(w.view.messages.empty()) << question;
    EXPECT_EQ(w.view.status, "Nothing was renamed.") << question;
    for (const auto& [path, text] : w.journals.texts)
      EXPECT_FALSE(app::parseJournal(text).needsClosing()) << path;
  }
}

// The Stop button is Run's; Esc presses it; End asks whether to stop, and
// Varnel ends once the work has stopped, leaving the run for the next start.
TEST(Stop, RunEscAndEndStopTheWorkAsTheUserSays) {
  struct Case {
    const char* press;
    bool yes;
    bool stops, ends;
  };
  for (const Case& c : {Case{"run", true, true, false}, Case{"escape", true, true, false},
                        Case{"end", false, false, false}, Case{"end", true, true, true}}) {
    Stopping w;
    w.view.yes = c.yes;
    bool pressed = false;
    w.activity.atQuestion = [&] {
      if (pressed || w.host->renames().size() != 1) return;
      pressed = true;
      const std::string press = c.press;
      if (press == "escape")
        w.presenter.onEscape();
      else
        w.presenter.onClick(press == "run" ? Control::run : Control::end);
    };
    w.presenter.onClick(Control::run);
    const std::string at = std::string(c.press) + (c.yes ? " yes" : " no");
    EXPECT_EQ(w.renames() < 8, c.stops) << at;
    EXPECT_EQ(w.view.ended, c.ends) << at;
    EXPECT_EQ(w.view.questions.size(), std::string(c.press) == "end" ? 1u : 0u) << at;
    EXPECT_EQ(w.view.recoveryQuestions.size(), c.stops && !c.ends ? 1u : 0u) << at;
  }
}

TEST(Stop, APreviewStoppedWhileReadingShowsNothing) {
  Stopping w;
  w.activity.stopAtQuestion = 3;
  w.presenter.onPreview();
  EXPECT_TRUE(w.preview.shown.empty());
  EXPECT_EQ(w.view.status, "Stopped; nothing was renamed.");
  EXPECT_TRUE(w.view.messages.empty());
}

}  // namespace
}  // namespace varnel
