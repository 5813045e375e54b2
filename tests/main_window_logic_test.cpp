// The main window's behaviour with a fake window and the in-memory host.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_view.h"
#include "fixtures.h"
#include "app/window_options.h"

namespace varnel {
namespace {

using testing::design;
using testing::FakeView;
using ui::Control;

struct Window {
  std::shared_ptr<standin::MemoryHost> host;
  FakeView view;
  ui::WindowOptions options{view};
  testing::FakeAttacher attacher;
  testing::Journal journal;
  testing::FakeReport report;
  testing::FakeSaveDialog dialog;
  testing::FakeFiles files{journal};
  testing::FakePcb pcb{journal, files};
  frmRenPart form{Platform{&options, &options, &report, &dialog, &pcb, &files, nullptr, nullptr,
                           &view, &attacher}};

  explicit Window(std::shared_ptr<standin::MemoryHost> h) : host(std::move(h)) {
    attacher.app = host;
    form.Form_Load();
  }
  explicit Window(const std::string& parts)
      : Window(std::make_shared<standin::MemoryHost>(design(parts))) {}

  std::vector<std::string> names() const { return testing::designators(host->design()); }
};

TEST(StartUp, AttachesTitlesAndKeepsTheWindowOnTop) {
  Window w("R2 R1");
  EXPECT_EQ(w.view.title, "Varnel test.sch");
  EXPECT_EQ(w.view.text(Control::txtStart), "1");
  EXPECT_TRUE(w.view.topmost);
  EXPECT_FALSE(w.view.ended);
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(w.form.currentPart->Name(), "R2");
}

TEST(StartUp, TakesTheListFromFindObjectsUnlessThereAreSeveralScopes) {
  for (int scopes : {0, 1, 2}) {
    auto host = std::make_shared<standin::MemoryHost>(design("R1", scopes));
    Window w(host);
    const auto calls = host->callsByOperation();
    EXPECT_EQ(calls.count("Scope.FindObjects"), scopes > 1 ? 0u : 1u) << scopes;
    EXPECT_EQ(calls.count("Document.Components"), scopes > 1 ? 1u : 0u) << scopes;
  }
}

void expectEndingMessage(const FakeView& view, const std::string& text) {
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, text);
  EXPECT_EQ(view.messages[0].title, "");
  EXPECT_EQ(view.messages[0].icon, ui::MessageIcon::critical);
  EXPECT_TRUE(view.ended);
}

TEST(StartUp, EndsWithAMessageWhenPowerLogicIsNotRunning) {
  Window w(std::shared_ptr<standin::MemoryHost>{});
  expectEndingMessage(w.view, "Are you sure Powerlogic is running ? ");
  EXPECT_EQ(w.view.title, "Varnel");
}

TEST(StartUp, EndsWithAMessageWhenNoDesignOrAnEmptyOneIsLoaded) {
  Window none(std::make_shared<standin::MemoryHost>());
  expectEndingMessage(none.view, "You must load a project before running Varnel");
  Window empty("");
  expectEndingMessage(empty.view, "You must load a project before running Varnel");
}

TEST(StartUp, StopsQuietlyOnAnyOtherError) {
  auto host = std::make_shared<standin::MemoryHost>(design("R1"));
  host->failCall(1, Error(0x800706BA, "RPC server unavailable"));
  Window w(host);
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_FALSE(w.view.ended);
  EXPECT_EQ(w.view.title, "Varnel");
}

TEST(Reattach, TakesTheNewDesignKeepingStartTextAndSelectedMode) {
  Window w("R1");
  w.view.select(Control::optStart);
  w.view.setText(Control::txtStart, "7");
  auto next = design("C1 C2");
  next.name = "next.sch";
  w.host->open(next);
  EXPECT_EQ(w.view.title, "Varnel next.sch");
  EXPECT_FALSE(w.view.checked(Control::optStart));
  EXPECT_EQ(w.view.text(Control::txtStart), "7");
  EXPECT_EQ(w.form.currentPart->Name(), "C1");

  w.view.select(Control::optSelected);
  w.host->open(design("U1"));
  EXPECT_TRUE(w.view.checked(Control::optSelected));
}

TEST(Reattach, EndsWithAMessageWhenTheNewDesignIsEmpty) {
  Window w("R1");
  w.host->open(design(""));
  expectEndingMessage(w.view, "There is no componets in project");
}

TEST(Reattach, WaitsUntilARunningRunIsOver) {
  Window w("R5 R6");
  w.view.select(Control::optStart);
  w.form.optStart_Click();
  bool opened = false;
  w.host->onRenamed([&](const standin::RenameRecord&) {
    if (!std::exchange(opened, true)) {
      auto next = design("C1");
      next.name = "other.sch";
      w.host->open(next);
      EXPECT_EQ(w.view.title, "Varnel test.sch") << "not while the run goes on";
    }
  });
  w.form.cmdRun_Click();
  EXPECT_EQ(w.view.title, "Varnel other.sch");
}

TEST(Options, AllComponentsDisablesTheSubModesAndEnablesTheStartBox) {
  Window w("R1");
  w.view.select(Control::optSelected);
  w.form.optSelected_Click();
  EXPECT_TRUE(w.view.enabled(Control::optAssign));
  EXPECT_TRUE(w.view.checked(Control::optAssign));
  EXPECT_TRUE(w.view.enabled(Control::txtStart));
  EXPECT_EQ(w.view.controls[Control::txtStart].background, 5) << "the window colour";

  w.view.select(Control::optStart);
  w.form.optStart_Click();
  EXPECT_FALSE(w.view.enabled(Control::optAssign));
  EXPECT_FALSE(w.view.enabled(Control::optDuplicate));
  EXPECT_FALSE(w.view.checked(Control::optAssign));
  EXPECT_TRUE(w.view.enabled(Control::txtStart));
}

TEST(Options, TheEcoCheckBoxTogglesBothEcoOptions) {
  Window w("R1");
  EXPECT_FALSE(w.view.enabled(Control::optECO));
  w.form.chkSend_Click();
  EXPECT_TRUE(w.view.enabled(Control::optECO));
  EXPECT_TRUE(w.view.enabled(Control::optDirect));
  EXPECT_TRUE(w.view.checked(Control::optDirect));
  w.form.chkSend_Click();
  EXPECT_FALSE(w.view.enabled(Control::optECO));
  EXPECT_FALSE(w.view.enabled(Control::optDirect));
}

TEST(Run, DoesNothingWithoutAMode) {
  Window w("R5");
  w.form.cmdRun_Click();
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(w.names(), testing::words("R5"));
}

TEST(Run, RefusesIllegalStartNumbersWithTheModesMessage) {
  Window w("R5");
  for (const char* bad : {"", "0", "abc", "40000", "7 7", "1.5", "&H7", "1e1"}) {
    w.view.messages.clear();
    w.view.setText(Control::txtStart, bad);
    w.view.select(Control::optStart);
    w.form.cmdRun_Click();
    w.view.select(Control::optSelected);
    w.form.cmdRun_Click();
    ASSERT_EQ(w.view.messages.size(), 2u) << bad;
    EXPECT_EQ(w.view.messages[0].text, "Illegal Value");
    EXPECT_EQ(w.view.messages[1].text, "Illegal value in Start textbox");
    EXPECT_EQ(w.view.messages[1].title, "Error Message");
    EXPECT_EQ(w.view.messages[1].icon, ui::MessageIcon::exclamation);
  }
  EXPECT_EQ(w.names(), testing::words("R5"));
}

TEST(Run, RunsWithANegativeStartAndDrivesTheProgressBar) {
  Window w("R5 R6 R7");
  w.view.setText(Control::txtStart, "-5");
  w.view.select(Control::optStart);
  w.form.cmdRun_Click();
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(w.names(), testing::words("R-5 R-4 R-3"));
  EXPECT_EQ(w.view.progressMax, 2);
  EXPECT_EQ(w.view.progressValue, 0);
}

TEST(Run, ShowsARunsErrorAndStaysReadyForTheNextRun) {
  Window w("R5 R6 R7");
  w.view.select(Control::optStart);
  int renames = 0;
  w.host->onRenamed([&](const standin::RenameRecord&) {
    if (++renames == 2) w.host->failCall(1, Error(0x80004005, "Unspecified error"));
  });
  w.form.cmdRun_Click();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text,
            "The run stopped after 2 of the 3 planned renames.\nNo ECO file holds the renames "
            "made; the full list (old new) is in /temp/Varnel renames.txt:\nR5 R1\nR6 R2\n"
            "error 0x80004005: Unspecified error");
  EXPECT_EQ(w.files.files.at("/temp/Varnel renames.txt"), "R5 R1\r\nR6 R2\r\n");
  EXPECT_FALSE(w.view.ended);
  EXPECT_TRUE(w.form.oldNames.empty());
  w.view.messages.clear();
  w.form.cmdRun_Click();
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(w.names(), testing::words("R1 R2 R3"));
}

TEST(Run, SaysWhereTheRenamesOfAStoppedRunAre) {
  Window w("R5 R6 R7");
  w.view.select(Control::optStart);
  w.view.setChecked(Control::chkSend, true);
  w.view.select(Control::optECO);
  w.dialog.answer = "/jobs/b.eco";
  int renames = 0;
  w.host->onRenamed([&](const standin::RenameRecord&) {
    if (++renames == 1) w.host->failCall(1, Error(0x800706BE, "The remote procedure call failed"));
  });
  w.form.cmdRun_Click();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text,
            "The run stopped after 1 of the 3 planned renames. They are in the ECO file "
            "/jobs/b.eco.\nerror 0x800706BE: The remote procedure call failed");
  EXPECT_NE(w.files.files.at("/jobs/b.eco").find("R5 R1\r\n*END*"), std::string::npos);

  // Past 20 renames the message names the list file and counts the rest.
  auto big = std::make_shared<standin::MemoryHost>(design(
      "R31 R32 R33 R34 R35 R36 R37 R38 R39 R40 R41 R42 R43 R44 R45 R46 R47 R48 R49 R50 R51 R52 "
      "R53 R54 R55 R56"));
  Window many(big);
  many.view.select(Control::optStart);
  many.files.files["/temp/Varnel renames.txt"] = "an earlier list";
  renames = 0;
  big->onRenamed([&](const standin::RenameRecord&) {
    if (++renames == 25) big->failCall(1, Error(0x800706BE, "The remote procedure call failed"));
  });
  many.form.cmdRun_Click();
  ASSERT_EQ(many.view.messages.size(), 1u);
  const std::string& text = many.view.messages[0].text;
  EXPECT_EQ(text.rfind("The run stopped after 25 of the 26 planned renames.\nNo ECO file holds "
                       "the renames made; the full list (old new) is in /temp/Varnel renames "
                       "2.txt:\nR31 R1\n",
                       0),
            0u)
      << text;
  EXPECT_NE(text.find("R50 R20\n... and 5 more\nerror 0x800706BE"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 23);
  const std::string& list = many.files.files.at("/temp/Varnel renames 2.txt");
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 25);
  EXPECT_EQ(many.files.files.at("/temp/Varnel renames.txt"), "an earlier list");
}

TEST(Run, AfterPowerLogicWentAwayTheNextRunAttachesAfresh) {
  Window w("R5 R6");
  w.view.select(Control::optStart);
  w.host->failCall(1, Error(0x800706BA, "The RPC server is unavailable"), true);
  w.form.cmdRun_Click();
  ASSERT_EQ(w.view.messages.size(), 1u);

  w.attacher.app = nullptr;  // not started again yet
  w.view.messages.clear();
  w.form.cmdRun_Click();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text,
            "PowerLogic is not running. Start it and open your design, then press Run again.");
  EXPECT_FALSE(w.view.ended);

  auto restarted = design("C7 C9");
  restarted.name = "again.sch";
  auto host = std::make_shared<standin::MemoryHost>(restarted);
  w.attacher.app = host;
  w.view.messages.clear();
  w.form.cmdRun_Click();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text,
            "PowerLogic was started again. Varnel now works on the design again.sch; press Run "
            "to renumber it.");
  EXPECT_EQ(w.view.title, "Varnel again.sch");
  EXPECT_TRUE(host->renames().empty()) << "that click runs nothing";

  w.view.messages.clear();
  w.form.cmdRun_Click();
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(testing::designators(host->design()), testing::words("C1 C2"));
  auto next = design("U4");
  next.name = "next.sch";
  host->open(next);
  EXPECT_EQ(w.view.title, "Varnel next.sch") << "its events reach the window";
}

TEST(Run, NothingStartsWhileARunOrItsDialogsAreOpen) {
  Window w("R5 R6");
  w.view.select(Control::optStart);
  w.view.setChecked(Control::chkSend, true);
  w.view.select(Control::optECO);
  w.dialog.answer = "/jobs/b.eco";
  w.dialog.whileOpen = [&] {
    for (Control c : {Control::cmdRun, Control::optSelected, Control::chkSend, Control::optDirect,
                      Control::cmdEnd})
      w.form.onClick(c);
  };
  w.form.onClick(Control::cmdRun);
  EXPECT_EQ(w.dialog.asked, 1);
  EXPECT_FALSE(w.view.ended);
  EXPECT_TRUE(w.view.checked(Control::optStart) && w.view.checked(Control::chkSend));
  EXPECT_TRUE(w.view.checked(Control::optECO));
  EXPECT_EQ(w.names(), testing::words("R1 R2"));

  // Nor while the start number's message is open.
  w.view.setText(Control::txtStart, "0");
  w.view.whileMessageOpen = [&] { w.form.onClick(Control::cmdRun); };
  w.form.onClick(Control::cmdRun);
  EXPECT_EQ(w.view.messages.size(), 1u);
  w.view.whileMessageOpen = nullptr;
  w.form.onClick(Control::cmdEnd);
  EXPECT_TRUE(w.view.ended);
}

TEST(Options, ClickingTheChosenModeAgainChangesNothing) {
  Window w("R1");
  w.form.onClick(Control::optSelected);
  w.form.onClick(Control::optDuplicate);
  w.form.onClick(Control::optSelected);
  EXPECT_TRUE(w.view.checked(Control::optDuplicate));
  EXPECT_FALSE(w.view.checked(Control::optAssign));
  w.form.onClick(Control::optStart);
  EXPECT_FALSE(w.view.checked(Control::optSelected));
  EXPECT_FALSE(w.view.enabled(Control::optDuplicate));
  w.form.onClick(Control::chkSend);
  EXPECT_TRUE(w.view.checked(Control::chkSend));
  EXPECT_TRUE(w.view.enabled(Control::optECO));
  w.form.onClick(Control::chkSend);
  EXPECT_FALSE(w.view.checked(Control::chkSend));
  EXPECT_FALSE(w.view.enabled(Control::optECO));
}

TEST(End, EndsTheProgram) {
  Window w("R1");
  w.form.cmdEnd_Click();
  EXPECT_TRUE(w.view.ended);
}

TEST(Layout, PlacesControlsRelativeToTheirContainers) {
  EXPECT_EQ(ui::windowRect(Control::optDirect).left, 2880 + 105 + 135);
  EXPECT_EQ(ui::windowRect(Control::optDirect).top, -90 + 150 + 570 + 480);
  EXPECT_EQ(ui::windowRect(Control::cmdRun).top, 1560);
}

}  // namespace
}  // namespace varnel
