// The main window's behaviour with a fake window and the in-memory host.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/main_window_presenter.h"
#include "app/progress_display.h"
#include "presenter_fakes.h"

namespace varnel {
namespace {

using app::Control;
using tests::design;
using tests::FakeView;

struct WindowLogic : tests::PresenterFakes {
  explicit WindowLogic(std::shared_ptr<standin::MemoryHost> h) : PresenterFakes(std::move(h)) {
    presenter.onLoad();
  }
  explicit WindowLogic(const std::string& parts)
      : WindowLogic(std::make_shared<standin::MemoryHost>(design(parts))) {}
};

TEST(StartUp, AttachesTitlesAndKeepsTheWindowOnTop) {
  WindowLogic w("R2 R1");
  EXPECT_EQ(w.view.title, "Varnel test.sch");
  EXPECT_EQ(w.view.text(Control::startNumber), "1");
  EXPECT_TRUE(w.view.topmost);
  EXPECT_FALSE(w.view.ended);
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(w.link.firstComponentName(), "R2");
}

TEST(StartUp, TakesTheListFromFindObjectsUnlessThereAreSeveralScopes) {
  for (int scopes : {0, 1, 2}) {
    auto host = std::make_shared<standin::MemoryHost>(design("R1", scopes));
    WindowLogic w(host);
    const auto calls = host->callsByOperation();
    EXPECT_EQ(calls.count("Scope.FindObjects"), scopes > 1 ? 0u : 1u) << scopes;
    EXPECT_EQ(calls.count("Document.Components"), scopes > 1 ? 1u : 0u) << scopes;
  }
}

void expectEndingMessage(const FakeView& view, const std::string& text) {
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, text);
  EXPECT_EQ(view.messages[0].title, "");
  EXPECT_EQ(view.messages[0].icon, app::MessageIcon::critical);
  EXPECT_TRUE(view.ended);
}

TEST(StartUp, EndsWithAMessageWhenPowerLogicIsNotRunning) {
  WindowLogic w(std::shared_ptr<standin::MemoryHost>{});
  expectEndingMessage(w.view, "Are you sure Powerlogic is running ? ");
  EXPECT_EQ(w.view.title, "Varnel");
}

TEST(StartUp, EndsWithAMessageWhenNoDesignOrAnEmptyOneIsLoaded) {
  WindowLogic none(std::make_shared<standin::MemoryHost>());
  expectEndingMessage(none.view, "You must load a project before running Varnel");
  WindowLogic empty("");
  expectEndingMessage(empty.view, "You must load a project before running Varnel");
}

TEST(StartUp, StopsQuietlyOnAnyOtherError) {
  auto host = std::make_shared<standin::MemoryHost>(design("R1"));
  host->failCall(1, base::Error(0x800706BA, "RPC server unavailable"));
  WindowLogic w(host);
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_FALSE(w.view.ended);
  EXPECT_EQ(w.view.title, "Varnel");
}

TEST(Reattach, TakesTheNewDesignKeepingStartTextAndSelectedMode) {
  WindowLogic w("R1");
  w.view.select(Control::allComponents);
  w.view.setText(Control::startNumber, "7");
  auto next = design("C1 C2");
  next.name = "next.sch";
  w.host->open(next);
  EXPECT_EQ(w.view.title, "Varnel test.sch") << "not inside the host's callback";
  w.pump();
  EXPECT_EQ(w.view.title, "Varnel next.sch");
  EXPECT_FALSE(w.view.checked(Control::allComponents));
  EXPECT_EQ(w.view.text(Control::startNumber), "7");
  EXPECT_EQ(w.link.firstComponentName(), "C1");

  w.view.select(Control::selectedComponents);
  w.host->open(design("U1"));
  w.pump();
  EXPECT_TRUE(w.view.checked(Control::selectedComponents));
}

TEST(Reattach, EndsWithAMessageWhenTheNewDesignIsEmpty) {
  WindowLogic w("R1");
  w.host->open(design(""));
  w.pump();
  expectEndingMessage(w.view, "There is no componets in project");
}

TEST(Reattach, WaitsUntilARunningRunIsOver) {
  WindowLogic w("R5 R6");
  w.view.select(Control::allComponents);
  w.presenter.onAllComponentsChosen();
  bool opened = false;
  w.host->onRenamed([&](const standin::RenameRecord&) {
    if (!std::exchange(opened, true)) {
      auto next = design("C1");
      next.name = "other.sch";
      w.host->open(next);
      w.pump();  // as a modal loop inside the call would
      EXPECT_EQ(w.view.title, "Varnel test.sch") << "not while the run goes on";
    }
  });
  w.presenter.onRun();
  EXPECT_EQ(w.view.title, "Varnel other.sch");
}

TEST(Options, AllComponentsDisablesTheSubModesAndEnablesTheStartBox) {
  WindowLogic w("R1");
  w.view.select(Control::selectedComponents);
  w.presenter.onSelectedComponentsChosen();
  EXPECT_TRUE(w.view.enabled(Control::assignNextFree));
  EXPECT_TRUE(w.view.checked(Control::assignNextFree));
  EXPECT_TRUE(w.view.enabled(Control::startNumber));
  EXPECT_EQ(w.view.controls[Control::startNumber].background, 5) << "the window colour";

  w.view.select(Control::allComponents);
  w.presenter.onAllComponentsChosen();
  EXPECT_FALSE(w.view.enabled(Control::assignNextFree));
  EXPECT_FALSE(w.view.enabled(Control::renameDuplicates));
  EXPECT_FALSE(w.view.checked(Control::assignNextFree));
  EXPECT_TRUE(w.view.enabled(Control::startNumber));
}

TEST(Options, TheEcoCheckBoxTogglesBothEcoOptions) {
  WindowLogic w("R1");
  EXPECT_FALSE(w.view.enabled(Control::writeOnly));
  w.presenter.onWriteEcoToggled();
  EXPECT_TRUE(w.view.enabled(Control::writeOnly));
  EXPECT_TRUE(w.view.enabled(Control::forceReadInPcb));
  EXPECT_TRUE(w.view.checked(Control::forceReadInPcb));
  w.presenter.onWriteEcoToggled();
  EXPECT_FALSE(w.view.enabled(Control::writeOnly));
  EXPECT_FALSE(w.view.enabled(Control::forceReadInPcb));
}

TEST(Run, DoesNothingWithoutAMode) {
  WindowLogic w("R5");
  w.presenter.onRun();
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(w.names(), tests::words("R5"));
}

// The status bar says after every run what it did, or why Run did nothing.
TEST(Run, TheStatusBarSaysWhatEachRunDid) {
  WindowLogic w("R5 R6 C9");
  w.presenter.onRun();
  EXPECT_EQ(w.view.status, "Choose which components to rename.");
  w.view.select(Control::selectedComponents);
  w.presenter.onSelectedComponentsChosen();
  w.presenter.onRun();
  EXPECT_EQ(w.view.status, "No component is selected in PowerLogic.");
  w.view.select(Control::allComponents);
  w.presenter.onAllComponentsChosen();
  w.presenter.onRun();
  EXPECT_EQ(w.view.status, std::to_string(w.host->renames().size()) + " renames made.");
  w.view.setChecked(Control::writeEco, true);
  w.view.select(Control::writeOnly);
  w.dialog.answer = "/jobs/board.eco";
  w.view.setText(Control::startNumber, "5");
  w.presenter.onRun();
  EXPECT_EQ(w.view.status.rfind(" renames made; ECO file /jobs/board.eco."),
            w.view.status.size() - std::string(" renames made; ECO file /jobs/board.eco.").size())
      << w.view.status;
  w.view.select(Control::forceReadInPcb);
  w.view.setText(Control::startNumber, "1");
  w.presenter.onRun();
  EXPECT_NE(w.view.status.find("renames made; ECO file read by PowerPCB."), std::string::npos)
      << w.view.status;
  w.presenter.onRun();
  EXPECT_EQ(w.view.status, "6 renames made; ECO file read by PowerPCB.")
      << "R1 R2 C1 again: each through a temporary number";
  w.view.setChecked(Control::writeEco, false);
  w.host->failCall(1, base::Error(0x800706BA, "The RPC server is unavailable"), true);
  w.presenter.onRun();
  EXPECT_EQ(w.view.status, "Nothing was renamed.");
}

TEST(Run, RefusesIllegalStartNumbersWithTheModesMessage) {
  WindowLogic w("R5");
  for (const char* bad : {"", "0", "abc", "40000", "7 7", "1.5", "&H7", "1e1"}) {
    w.view.messages.clear();
    w.view.setText(Control::startNumber, bad);
    w.view.select(Control::allComponents);
    w.presenter.onRun();
    w.view.select(Control::selectedComponents);
    w.presenter.onRun();
    ASSERT_EQ(w.view.messages.size(), 2u) << bad;
    EXPECT_EQ(w.view.messages[0].text,
              "Illegal Value: Start from must be a whole number from -32768 to 32767, other than "
              "0 (\"" +
                  std::string(bad) + "\")");
    EXPECT_EQ(w.view.messages[1].text.rfind("Illegal value in Start textbox: Start from must", 0),
              0u);
    EXPECT_EQ(w.view.messages[1].title, "Error Message");
    EXPECT_EQ(w.view.messages[1].icon, app::MessageIcon::exclamation);
  }
  EXPECT_EQ(w.names(), tests::words("R5"));
}

TEST(Run, RunsWithANegativeStartAndDrivesTheProgressBar) {
  WindowLogic w("R5 R6 R7");
  w.view.setText(Control::startNumber, "-5");
  w.view.select(Control::allComponents);
  w.presenter.onRun();
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(w.names(), tests::words("R-5 R-4 R-3"));
  EXPECT_EQ(w.progress.maximum, 2);
  EXPECT_EQ(w.progress.current, 0);
}

TEST(Run, ShowsARunsErrorAndStaysReadyForTheNextRun) {
  WindowLogic w("R5 R6 R7");
  w.view.select(Control::allComponents);
  int renames = 0;
  w.host->onRenamed([&](const standin::RenameRecord&) {
    if (++renames == 2) w.host->failCall(1, base::Error(0x80004005, "Unspecified error"));
  });
  w.presenter.onRun();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text,
            "The run stopped after 2 of the 3 planned renames.\nNo ECO file holds the renames "
            "made; the full list (old new) is in /temp/Varnel renames.txt:\nR5 R1\nR6 R2\n"
            "error 0x80004005: Unspecified error");
  EXPECT_EQ(w.files.files.at("/temp/Varnel renames.txt"), "R5 R1\r\nR6 R2\r\n");
  EXPECT_FALSE(w.view.ended);
  w.view.messages.clear();
  w.presenter.onRun();
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(w.names(), tests::words("R1 R2 R3"));
}

TEST(Run, SaysWhereTheRenamesOfAStoppedRunAre) {
  WindowLogic w("R5 R6 R7");
  w.view.select(Control::allComponents);
  w.view.setChecked(Control::writeEco, true);
  w.view.select(Control::writeOnly);
  w.dialog.answer = "/jobs/b.eco";
  int renames = 0;
  w.host->onRenamed([&](const standin::RenameRecord&) {
    if (++renames == 1)
      w.host->failCall(1, base::Error(0x800706BE, "The remote procedure call failed"));
  });
  w.presenter.onRun();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text,
            "The run stopped after 1 of the 3 planned renames. They are in the ECO file "
            "/jobs/b.eco.\nerror 0x800706BE: The remote procedure call failed\nPowerLogic is no "
            "longer running. Start it again, open your design, and press Run.");
  EXPECT_NE(w.files.files.at("/jobs/b.eco").find("R5 R1\r\n*END*"), std::string::npos);

  // Past 20 renames the message names the list file and counts the rest.
  auto big = std::make_shared<standin::MemoryHost>(design(
      "R31 R32 R33 R34 R35 R36 R37 R38 R39 R40 R41 R42 R43 R44 R45 R46 R47 R48 R49 R50 R51 R52 "
      "R53 R54 R55 R56"));
  WindowLogic many(big);
  many.view.select(Control::allComponents);
  many.files.files["/temp/Varnel renames.txt"] = "an earlier list";
  renames = 0;
  big->onRenamed([&](const standin::RenameRecord&) {
    if (++renames == 25)
      big->failCall(1, base::Error(0x800706BE, "The remote procedure call failed"));
  });
  many.presenter.onRun();
  ASSERT_EQ(many.view.messages.size(), 1u);
  const std::string& text = many.view.messages[0].text;
  EXPECT_EQ(text.rfind("The run stopped after 25 of the 26 planned renames.\nNo ECO file holds "
                       "the renames made; the full list (old new) is in /temp/Varnel renames "
                       "2.txt:\nR31 R1\n",
                       0),
            0u)
      << text;
  EXPECT_NE(text.find("R50 R20\n... and 5 more\nerror 0x800706BE"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 24);
  const std::string& list = many.files.files.at("/temp/Varnel renames 2.txt");
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 25);
  EXPECT_EQ(many.files.files.at("/temp/Varnel renames.txt"), "an earlier list");
}

TEST(Run, AfterPowerLogicWentAwayTheNextRunAttachesAfresh) {
  WindowLogic w("R5 R6");
  w.view.select(Control::allComponents);
  w.host->failCall(1, base::Error(0x800706BA, "The RPC server is unavailable"), true);
  w.presenter.onRun();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text,
            "error 0x800706BA: The RPC server is unavailable\nPowerLogic is no longer running. "
            "Start it again, open your design, and press Run.");
  EXPECT_EQ(w.view.title, "Varnel (PowerLogic not running)");

  w.attacher.app = nullptr;  // not started again yet
  w.view.messages.clear();
  w.presenter.onRun();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text,
            "PowerLogic is not running. Start it and open your design, then press Run again.");
  EXPECT_FALSE(w.view.ended);
  EXPECT_EQ(w.view.title, "Varnel (PowerLogic not running)") << "until Varnel attaches again";

  auto restarted = design("C7 C9");
  restarted.name = "again.sch";
  auto host = std::make_shared<standin::MemoryHost>(restarted);
  w.attacher.app = host;
  w.view.messages.clear();
  w.presenter.onRun();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text,
            "PowerLogic was started again. Varnel now works on the design again.sch; press Run "
            "to renumber it.");
  EXPECT_EQ(w.view.title, "Varnel again.sch");
  EXPECT_TRUE(host->renames().empty()) << "that click runs nothing";

  w.view.messages.clear();
  w.presenter.onRun();
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(tests::designators(host->design()), tests::words("C1 C2"));
  auto next = design("U4");
  next.name = "next.sch";
  host->open(next);
  w.pump();
  EXPECT_EQ(w.view.title, "Varnel next.sch") << "its events reach the window";
}

// PowerLogic started again on the design Varnel worked on: the first press
// of Run attaches and runs.
TEST(Run, AfterPowerLogicRestartedOnTheSameDesignTheFirstRunRenames) {
  WindowLogic w("R5 R6");
  w.view.select(Control::allComponents);
  w.host->failCall(1, base::Error(0x800706BA, "The RPC server is unavailable"), true);
  w.presenter.onRun();
  auto host = std::make_shared<standin::MemoryHost>(design("R5 R6"));
  w.attacher.app = host;
  w.view.messages.clear();
  w.presenter.onRun();
  EXPECT_TRUE(w.view.messages.empty()) << w.view.messages[0].text;
  EXPECT_EQ(tests::designators(host->design()), tests::words("R1 R2"));
  EXPECT_EQ(w.view.title, "Varnel test.sch");
}

TEST(Run, NothingStartsWhileARunOrItsDialogsAreOpen) {
  WindowLogic w("R5 R6");
  w.view.select(Control::allComponents);
  w.view.setChecked(Control::writeEco, true);
  w.view.select(Control::writeOnly);
  w.dialog.answer = "/jobs/b.eco";
  // Run's place holds Stop, and End asks to stop, while the run works: see stop_test.
  w.dialog.whileOpen = [&] {
    for (Control c : {Control::selectedComponents, Control::writeEco, Control::forceReadInPcb,
                      Control::assignNextFree})
      w.presenter.onClick(c);
  };
  w.presenter.onClick(Control::run);
  EXPECT_EQ(w.dialog.asked, 1);
  EXPECT_FALSE(w.view.ended);
  EXPECT_TRUE(w.view.checked(Control::allComponents) && w.view.checked(Control::writeEco));
  EXPECT_TRUE(w.view.checked(Control::writeOnly));
  EXPECT_EQ(w.names(), tests::words("R1 R2"));

  // Nor while the start number's message is open.
  w.view.setText(Control::startNumber, "0");
  w.view.whileMessageOpen = [&] { w.presenter.onClick(Control::run); };
  w.presenter.onClick(Control::run);
  EXPECT_EQ(w.view.messages.size(), 1u);
  w.view.whileMessageOpen = nullptr;
  w.presenter.onClick(Control::end);
  EXPECT_TRUE(w.view.ended);
}

TEST(Options, ClickingTheChosenModeAgainChangesNothing) {
  WindowLogic w("R1");
  w.presenter.onClick(Control::selectedComponents);
  w.presenter.onClick(Control::renameDuplicates);
  w.presenter.onClick(Control::selectedComponents);
  EXPECT_TRUE(w.view.checked(Control::renameDuplicates));
  EXPECT_FALSE(w.view.checked(Control::assignNextFree));
  w.presenter.onClick(Control::allComponents);
  EXPECT_FALSE(w.view.checked(Control::selectedComponents));
  EXPECT_FALSE(w.view.enabled(Control::renameDuplicates));
  w.presenter.onClick(Control::writeEco);
  EXPECT_TRUE(w.view.checked(Control::writeEco));
  EXPECT_TRUE(w.view.enabled(Control::writeOnly));
  w.presenter.onClick(Control::writeEco);
  EXPECT_FALSE(w.view.checked(Control::writeEco));
  EXPECT_FALSE(w.view.enabled(Control::writeOnly));
}

TEST(End, EndsTheProgram) {
  WindowLogic w("R1");
  w.presenter.onEnd();
  EXPECT_TRUE(w.view.ended);
}

TEST(Layout, PlacesControlsRelativeToTheirContainers) {
  EXPECT_EQ(app::windowRect(Control::forceReadInPcb).left, 2880 + 105 + 135);
  EXPECT_EQ(app::windowRect(Control::forceReadInPcb).top, -90 + 150 + 570 + 480);
  EXPECT_EQ(app::windowRect(Control::run).top, 1560);
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

using app::Control;
using tests::design;

struct PreviewLogic : tests::PresenterFakes {
  explicit PreviewLogic(const std::string& parts)
      : PresenterFakes(std::make_shared<standin::MemoryHost>(design(parts))) {
    journals.keep = true;
    presenter.onLoad();
  }
};

TEST(Preview, ShowsThePlanWithReasonsAndAMapAndRenamesNothingUntilRename) {
  PreviewLogic w("R5@0,0* R7@10,0 R9@20,0* TP@30,0* R1@40,0");
  w.presenter.onClick(Control::selectedComponents);
  w.presenter.onPreview();
  ASSERT_EQ(w.preview.shown.size(), 1u);
  const app::Preview& shown = w.preview.shown[0];
  EXPECT_EQ(shown.title, "Preview");
  ASSERT_EQ(shown.rows.size(), 3u);
  EXPECT_EQ(shown.rows[0].why, "given the next free name") << shown.rows[0].to;
  EXPECT_EQ(shown.rows[2].why, "left alone: it ends in a letter");
  EXPECT_EQ(shown.summary, "5 components read, 2 renames, 1 left alone, 1 ECO section");
  ASSERT_EQ(shown.map.size(), 3u);
  EXPECT_EQ(shown.map[2].label, "TP");
  EXPECT_TRUE(shown.map[2].keepsName);
  EXPECT_EQ(app::previewText(shown).rfind("Step\tOld\tNew\tWhy\r\n1\tR5\t", 0), 0u);
  EXPECT_TRUE(w.host->renames().empty());

  w.presenter.onPreviewRename();
  EXPECT_FALSE(w.preview.open);
  EXPECT_EQ(w.host->renames().size(), 2u);
  EXPECT_TRUE(w.view.messages.empty());
}

TEST(Preview, RenameShowsTheNewPlanWhenTheDesignChanged) {
  PreviewLogic w("R5 R6");
  w.presenter.onClick(Control::allComponents);
  w.presenter.onPreview();
  w.host->ActiveDocument()->Components()->Item(2)->setName("R1");  // by hand
  w.presenter.onPreviewRename();
  EXPECT_EQ(w.preview.shown.size(), 2u);
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text.rfind("The design changed since the preview", 0), 0u);
  EXPECT_EQ(w.names(), tests::words("R5 R1"));
  w.presenter.onPreviewRename();
  EXPECT_EQ(w.names(), tests::words("R1 R2"));
}

TEST(NumberingOptions, WhatOkTakesIsKeptAndReachesTheRunAndItsJournal) {
  PreviewLogic w("R5 R7 R9");
  w.view.numberingAnswers = {{false, "J8-J1", "", ""}, {true, "R7", "", ""}};
  w.presenter.onNumberingOptions();
  ASSERT_EQ(w.view.numberingRefusals.size(), 1u);
  EXPECT_NE(w.view.numberingRefusals[0].find("\"J8-J1\" runs backwards"), std::string::npos);
  EXPECT_EQ(w.numberingOptions.saves, 1);
  EXPECT_EQ(w.numberingOptions.kept, (renumber::RulesTexts{true, "R7", "", ""}));
  w.presenter.onNumberingOptions();  // shown as kept; Cancel changes nothing
  EXPECT_EQ(w.view.numberingShown.back(), w.numberingOptions.kept);
  EXPECT_EQ(w.numberingOptions.saves, 1);
  w.presenter.onClick(Control::allComponents);
  w.presenter.onRun();
  EXPECT_EQ(w.names(), tests::words("R1 R7 R2"));
  ASSERT_EQ(w.journals.texts.size(), 1u);
  EXPECT_NE(w.journals.texts.begin()->second.find(
                "settings --all --start 1 --keep-right --lock \"R7\"\n"),
            std::string::npos);
}

TEST(NumberingOptions, APreviewRowUncheckedLocksItsComponentForThatRunOnly) {
  PreviewLogic w("R5 R7 R9");
  w.presenter.onClick(Control::allComponents);
  w.presenter.onPreview();
  const auto calls = w.host->totalCalls();
  w.presenter.onPreviewRowChecked("R7", false);
  EXPECT_EQ(w.host->totalCalls(), calls) << "worked out again on the design as read";
  ASSERT_EQ(w.preview.shown.size(), 2u);
  const app::Preview& again = w.preview.shown[1];
  EXPECT_EQ(again.rows.back().check, app::PreviewRow::Check::unchecked);
  EXPECT_EQ(again.rules, "Rules: 1 row unchecked");
  // The options window taken meanwhile keeps the unchecked row.
  w.view.numberingAnswers = {{true, "", "", ""}};
  w.presenter.onNumberingOptions();
  EXPECT_EQ(w.preview.shown.back().rules, "Rules: names already right kept; 1 row unchecked");
  w.presenter.onPreviewRename();
  EXPECT_EQ(w.names(), tests::words("R1 R7 R2"));
  w.presenter.onPreview();  // the next run: unlocked again
  EXPECT_EQ(w.preview.shown.back().rules, "Rules: names already right kept");
}

// The map of a Preview open while the order changes is drawn anew.
TEST(NumberingOptions, APlacementOrderChosenWhileAPreviewIsOpenRedrawsItsMap) {
  PreviewLogic w("R1@0,10* R2@10,10* R3@0,0* R4@10,0*");
  w.presenter.onClick(Control::selectedComponents);
  w.presenter.onPreview();
  auto path = [&] {
    std::string text;
    for (const app::MapPoint& point : w.preview.shown.back().map)
      text += std::to_string(static_cast<int>(point.x)) + "," +
              std::to_string(static_cast<int>(point.y)) + " ";
    return text;
  };
  EXPECT_EQ(path(), "0,10 0,0 10,10 10,0 ") << "column by column";
  renumber::RulesTexts rowsFirst;
  rowsFirst.order = "rows-first";
  w.view.numberingAnswers = {rowsFirst};
  w.presenter.onNumberingOptions();
  ASSERT_EQ(w.preview.shown.size(), 2u);
  EXPECT_EQ(path(), "0,10 10,10 0,0 10,0 ") << "row by row";
  EXPECT_NE(w.preview.shown.back().rules.find("in order rows first"), std::string::npos);
  EXPECT_EQ(w.numberingOptions.kept.order, "rows-first");
}

TEST(Preview, SaysWhenThereIsNothingToRename) {
  PreviewLogic w("R1* R2 TP*");
  w.presenter.onClick(Control::selectedComponents);
  w.presenter.onPreview();
  ASSERT_EQ(w.preview.shown.size(), 1u);
  EXPECT_EQ(w.preview.shown[0].summary, "Nothing to rename.");
  ASSERT_EQ(w.preview.shown[0].rows.size(), 1u) << "the designator left alone is listed";
}

TEST(Preview, WithoutPowerPcbShowsThePlanAndSaysWhatRenameNeeds) {
  PreviewLogic w("R5 R6");
  w.pcb.running = false;
  w.presenter.onClick(Control::allComponents);
  w.presenter.onClick(Control::writeEco);
  ASSERT_TRUE(w.view.checked(Control::forceReadInPcb));
  w.presenter.onPreview();
  ASSERT_EQ(w.preview.shown.size(), 1u);
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(w.preview.shown[0].rows.size(), 2u);
  EXPECT_EQ(w.preview.shown[0].note.rfind("Rename needs PowerPCB running with the layout open", 0),
            0u)
      << w.preview.shown[0].note;
  w.presenter.onPreviewRename();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text.rfind("error 429: PowerPCB must be running", 0), 0u);
  EXPECT_EQ(w.names(), tests::words("R5 R6"));

  w.pcb.running = true;
  w.presenter.onPreview();
  ASSERT_EQ(w.preview.shown.size(), 2u);
  EXPECT_EQ(w.preview.shown[1].note, "");
  w.presenter.onPreviewRename();
  EXPECT_EQ(w.names(), tests::words("R1 R2"));
  EXPECT_EQ(w.pcb.filesRead.size(), 1u);
}

TEST(Preview, RenameAfterPowerLogicWentAwayHasTheNextRunAttachAfresh) {
  PreviewLogic w("R5 R6");
  w.presenter.onClick(Control::allComponents);
  w.presenter.onPreview();
  ASSERT_EQ(w.preview.shown.size(), 1u);
  w.host->failCall(1, base::Error(0x800706BA, "The RPC server is unavailable"), true);
  w.presenter.onPreviewRename();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_NE(w.view.messages[0].text.find("PowerLogic is no longer running."), std::string::npos);
  EXPECT_EQ(w.view.title, "Varnel (PowerLogic not running)");
  auto again = design("C7 C9");
  again.name = "again.sch";  // another design: named first, renamed on the next press
  auto restarted = std::make_shared<standin::MemoryHost>(again);
  w.attacher.app = restarted;
  w.presenter.onRun();
  ASSERT_EQ(w.view.messages.size(), 2u);
  EXPECT_EQ(w.view.messages[1].text.rfind("PowerLogic was started again.", 0), 0u)
      << w.view.messages[1].text;
  EXPECT_TRUE(restarted->renames().empty()) << "attaching is all that Run does then";
}

TEST(Preview, RefusesAsRunWouldAndSaysSo) {
  PreviewLogic w("R5 R6");
  w.presenter.onPreview();
  EXPECT_TRUE(w.preview.shown.empty()) << "no mode chosen";
  w.presenter.onClick(Control::allComponents);
  w.view.setText(Control::startNumber, "0");
  w.presenter.onPreview();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text.rfind("Illegal Value: ", 0), 0u);
  w.view.setText(Control::startNumber, "32767");
  w.presenter.onPreview();
  ASSERT_EQ(w.view.messages.size(), 2u);
  EXPECT_NE(w.view.messages[1].text.find("Nothing was renamed."), std::string::npos);
  EXPECT_TRUE(w.preview.shown.empty());
}

TEST(Undo, CtrlZShowsTheUndoAndRenameTakesTheRunBack) {
  PreviewLogic w("R5 R6 C9");
  w.presenter.onClick(Control::allComponents);
  w.view.setText(Control::startNumber, "3");
  w.presenter.onRun();
  w.view.setText(Control::startNumber, "1");
  w.presenter.onRun();
  ASSERT_EQ(w.names(), tests::words("R1 R2 C1"));
  w.presenter.onUndo();
  ASSERT_EQ(w.preview.shown.size(), 1u);
  EXPECT_EQ(w.preview.shown[0].title, "Undo");
  // R3 R4 C3 went through temporary numbers to R1 R2 C1: taking it back moves
  // each to its temporary number first, then gives it its name back.
  const auto& rows = w.preview.shown[0].rows;
  std::map<std::string, std::string> lastWhy;  // by the name each row gives
  int temporaries = 0;
  for (const auto& row : rows) {
    temporaries += row.why == "moved aside to a temporary number";
    if (row.to == "R3" || row.to == "R4" || row.to == "C3") lastWhy[row.to] = row.why;
  }
  EXPECT_GT(temporaries, 0);
  EXPECT_EQ(lastWhy.size(), 3u);
  for (const auto& [name, why] : lastWhy) EXPECT_EQ(why, "given its name back") << name;
  w.presenter.onPreviewRename();
  EXPECT_EQ(w.names(), tests::words("R3 R4 C3"));
  w.presenter.onUndo();  // a second Ctrl+Z takes back the run before
  w.presenter.onPreviewRename();
  EXPECT_EQ(w.names(), tests::words("R5 R6 C9"));
  w.presenter.onUndo();
  ASSERT_FALSE(w.view.messages.empty());
  EXPECT_EQ(w.view.messages.back().text, "No run of test.sch is left to undo.");
  w.view.messages.clear();
  PreviewLogic fresh("R1");
  fresh.presenter.onUndo();
  ASSERT_EQ(fresh.view.messages.size(), 1u);
  EXPECT_EQ(fresh.view.messages[0].text, "No run of test.sch is left to undo.");
  fresh.presenter.onOpenJournalFolder();
  EXPECT_EQ(fresh.view.foldersOpened, std::vector<std::string>{"/journals"});
  fresh.view.messages.clear();
  fresh.presenter.onAbout();
  ASSERT_EQ(fresh.view.abouts.size(), 1u);
  EXPECT_EQ(fresh.view.abouts[0].text.rfind("Varnel " VARNEL_VERSION "\n", 0), 0u);
  EXPECT_NE(fresh.view.abouts[0].text.find("\nDesign: test.sch"), std::string::npos);
  EXPECT_EQ(fresh.view.abouts[0].journalFolder, "/journals");
}

}  // namespace
}  // namespace varnel
