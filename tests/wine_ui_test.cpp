// The Windows program under Wine: its window driven by messages, and the
// COM link to the stand-in PowerLogic and PowerPCB in processes of their own.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "app/journal_folder.h"
#include "fake_view.h"
#include "fixtures.h"
#include "standin/design_file.h"
#include "standin/memory_designs.h"
#include "standin/pcb_layout.h"
#include "standin/win32/desktop_automation.h"
#include "temp_dir.h"
#include "win32/base/com_apartment.h"
#include "win32/com/busy_host_filter.h"
#include "win32/com/com_host_attacher.h"
#include "win32/com/com_pcb_connector.h"
#include "win32/com/powerlogic_ids.h"
#include "win32/ui/busy_host_prompt.h"
#include "win32/ui/program.h"
#include "win32/ui/user_folders.h"
#include "wine_window.h"

namespace varnel {
namespace {

using app::Control;
using tests::words;
using win::DialogAnswerer;
using namespace std::chrono_literals;

using tests::click;
using tests::isChecked;
using tests::isEnabled;
using tests::LocalWindow;
using tests::titleOf;
using tests::type;

TEST(Window, OpensWithTheControlsInTheirInitialStates) {
  LocalWindow w("R1");
  EXPECT_EQ(titleOf(w.window.handle()), "Varnel test.sch");
  EXPECT_EQ(titleOf(w[Control::startNumber]), "1");
  EXPECT_FALSE(isEnabled(w[Control::startNumber]));
  EXPECT_FALSE(isEnabled(w[Control::assignNextFree]));
  EXPECT_FALSE(isEnabled(w[Control::writeOnly]));
  EXPECT_TRUE(isChecked(w[Control::forceReadInPcb]));
  EXPECT_FALSE(isChecked(w[Control::allComponents]));
  EXPECT_EQ(titleOf(w[Control::writeEco]), "&Write ECO file for PowerPCB");
  EXPECT_TRUE(GetWindowLongW(w.window.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT client;
  GetClientRect(w.window.handle(), &client);
  EXPECT_EQ(client.right, win::twipsAt(app::kClientWidthTwips, w.window.dpi()));
}

TEST(Window, TheSystemMenusCommandsHaveAccessKeysAndTheReportItsTitle) {
  LocalWindow w("R1 TP");
  HMENU menu = GetSystemMenu(w.window.handle(), FALSE);
  std::vector<std::string> ours;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = L"";
    GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
    const std::string item = win::narrow(text);
    if (item.find("Preview") != std::string::npos || item.find("Undo") != std::string::npos ||
        item.find("journal") != std::string::npos || item.find("Varnel") != std::string::npos)
      ours.push_back(item);  // Wine adds an "About Wine" of its own
  }
  EXPECT_EQ(ours,
            (std::vector<std::string>{"&Preview renames...\tCtrl+P", "&Undo last run...\tCtrl+Z",
                                      "Open &journal folder", "&About Varnel"}));
  click(w[Control::allComponents]);
  click(w[Control::run]);  // TP is left alone: the report opens
  EXPECT_EQ(titleOf(w.program.report().handle()), "Designators left alone");
}

TEST(Window, ClicksFollowTheEnablingRules) {
  LocalWindow w("R1");
  click(w[Control::selectedComponents]);
  EXPECT_TRUE(isChecked(w[Control::selectedComponents]));
  EXPECT_TRUE(isEnabled(w[Control::assignNextFree]) && isEnabled(w[Control::renameDuplicates]));
  EXPECT_TRUE(isChecked(w[Control::assignNextFree]));
  EXPECT_TRUE(isEnabled(w[Control::startNumber]));
  click(w[Control::renameDuplicates]);
  EXPECT_TRUE(isChecked(w[Control::renameDuplicates]));
  EXPECT_FALSE(isChecked(w[Control::assignNextFree]));
  click(w[Control::allComponents]);
  EXPECT_FALSE(isChecked(w[Control::selectedComponents]));
  EXPECT_FALSE(isEnabled(w[Control::assignNextFree]) || isChecked(w[Control::renameDuplicates]));
  click(w[Control::writeEco]);
  EXPECT_TRUE(isChecked(w[Control::writeEco]));
  EXPECT_TRUE(isEnabled(w[Control::writeOnly]) && isEnabled(w[Control::forceReadInPcb]));
  click(w[Control::writeEco]);
  EXPECT_FALSE(isEnabled(w[Control::writeOnly]) || isEnabled(w[Control::forceReadInPcb]));
}

TEST(Window, RefusesIllegalStartNumbersWithTheirMessages) {
  LocalWindow w("R5");
  DialogAnswerer answerer;
  type(w[Control::startNumber], "0");
  click(w[Control::allComponents]);
  click(w[Control::run]);
  click(w[Control::selectedComponents]);
  type(w[Control::startNumber], "abc");
  click(w[Control::run]);
  const auto seen = answerer.seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].title, "Error Message");
  EXPECT_EQ(seen[0].text,
            "Illegal Value: Start from must be a whole number from -32768 to 32767, other than 0 "
            "(\"0\")");
  EXPECT_EQ(seen[1].text,
            "Illegal value in Start textbox: Start from must be a whole number from -32768 to "
            "32767, other than 0 (\"abc\")");
  EXPECT_EQ(w.host->design().parts[0].designator, "R5");
}

TEST(Window, RunsAndLeavesTheProgressBarAtZero) {
  LocalWindow w("R5 R6 GND");
  click(w[Control::allComponents]);
  click(w[Control::run]);
  EXPECT_EQ(tests::designators(w.host->design()), words("R1 R2 GND"));
  EXPECT_EQ(SendMessageW(w[Control::progress], PBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(SendMessageW(w[Control::progress], PBM_GETRANGE, FALSE, 0), 2);
  EXPECT_EQ(w.window.statusText(), "2 renames made.");
  ASSERT_TRUE(w.program.report().isOpen());
  EXPECT_EQ(w.program.report().text(),
            "Alpha Reference \r\nDesignators Ignored:\r\n-----------------------------------\r\n"
            "GND\r\n");
  EXPECT_EQ(GetWindow(w.program.report().handle(), GW_OWNER), nullptr);
}

TEST(Window, EndClosesEveryWindow) {
  LocalWindow w("GND");
  click(w[Control::allComponents]);
  click(w[Control::run]);
  HWND report = w.program.report().handle();
  ASSERT_TRUE(IsWindow(report));
  click(w[Control::end]);
  EXPECT_TRUE(w.window.ended());
  EXPECT_FALSE(IsWindow(report));
}

TEST(Window, EscPressesEnd) {
  LocalWindow w("R1");
  HWND window = w.window.handle();
  SetFocus(w[Control::run]);
  EXPECT_TRUE(w.press(VK_ESCAPE));
  EXPECT_TRUE(w.window.ended());
  EXPECT_FALSE(IsWindow(window));
}

// --- A run's ECO file, asked for before the first rename --------------------

// "Rename all components" with "Write only".
void chooseWriteOnly(LocalWindow& w) {
  click(w[Control::allComponents]);
  click(w[Control::writeEco]);
  click(w[Control::writeOnly]);
}

TEST(WriteOnly, CancelInTheSaveDialogRenamesNothing) {
  LocalWindow w("R5 R6");
  chooseWriteOnly(w);
  DialogAnswerer answerer("");
  click(w[Control::run]);
  const auto seen = answerer.seen();
  ASSERT_EQ(seen.size(), 1u) << "the dialog, and no message after it";
  EXPECT_EQ(seen[0].text, "(save dialog)");
  EXPECT_EQ(tests::designators(w.host->design()), words("R5 R6"));
  click(w[Control::run]);  // a second run still has everything to do
  EXPECT_EQ(answerer.seen().size(), 2u);
}

// What a save dialog offers when it opens: the folder it shows and the name in its box.
struct Offered {
  std::string folder, name;
};

Offered offeredBy(win::SaveFileDialog& dialog, const std::string& proposed) {
  Offered offered;
  DialogAnswerer answerer("", [&](HWND box) {
    wchar_t folder[MAX_PATH] = L"";
    SendMessageW(box, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    offered = {win::narrow(folder), titleOf(GetDlgItem(box, 0x47c))};
  });
  EXPECT_EQ(dialog.askSavePath("ECO files (*.eco) |*.eco|", proposed), "") << "cancelled";
  return offered;
}

// A folder's path as one text however it was spelt (a separator at its end or not).
std::string sameFolder(const std::string& path) {
  std::filesystem::path folder(win::widen(path));
  if (!folder.has_filename()) folder = folder.parent_path();
  return std::filesystem::weakly_canonical(folder).string();
}

TEST(WriteOnly, TheDialogProposesTheNameInDocumentsThenInTheFolderOfTheLastFileWritten) {
  const win::UserRegistryKey settings(L"Software\\Varnel\\Tests");
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Varnel\\Tests");
  win::SaveFileDialog dialog(nullptr, settings);
  Offered first = offeredBy(dialog, "board.eco");
  EXPECT_EQ(first.name, "board.eco");
  ASSERT_FALSE(win::documentsFolder().empty());
  EXPECT_EQ(sameFolder(first.folder), sameFolder(win::documentsFolder()));

  tests::TempDir dir;
  dialog.written(dir.file("old.eco"));
  Offered next = offeredBy(dialog, "other.eco");
  EXPECT_EQ(next.name, "other.eco");
  EXPECT_EQ(sameFolder(next.folder), sameFolder(dir.file("")));
  // Kept for the next session, by a dialog of its own.
  win::SaveFileDialog later(nullptr, settings);
  EXPECT_EQ(sameFolder(later.startFolder()), sameFolder(dir.file("")));
  std::filesystem::remove_all(win::widen(dir.file("")));
  EXPECT_EQ(later.startFolder(), win::documentsFolder()) << "a folder since removed";
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Varnel\\Tests");
}

TEST(WriteOnly, TheDialogIsModalToTheWindowAndRunDoesNothingUnderIt) {
  tests::TempDir dir;
  LocalWindow w("R5 R6");
  chooseWriteOnly(w);
  HWND main = w.window.handle();
  bool mainEnabledUnderDialog = true;
  DialogAnswerer answerer(dir.file("board.eco"), [&](HWND) {
    mainEnabledUnderDialog = IsWindowEnabled(main);
    // Clicks that still reach the window, as an option chosen would. (Run's
    // place holds Stop while the run works, and End asks to stop: see the
    // Stop tests.)
    for (Control id : {Control::selectedComponents, Control::writeEco, Control::assignNextFree})
      SendMessageW(main, WM_COMMAND, MAKEWPARAM(static_cast<int>(id), BN_CLICKED),
                   reinterpret_cast<LPARAM>(w[id]));
  });
  click(w[Control::run]);
  const auto seen = answerer.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].owner, main);
  EXPECT_FALSE(mainEnabledUnderDialog);
  EXPECT_FALSE(w.window.ended());
  EXPECT_TRUE(isChecked(w[Control::allComponents]));
  EXPECT_EQ(tests::designators(w.host->design()), words("R1 R2"));
  EXPECT_NE(tests::TempDir::read(dir.file("board.eco")).find("R5 R1\r\nR6 R2\r\n"),
            std::string::npos);
}

TEST(WriteOnly, ATargetThatCannotBeWrittenIsNamedAndNothingIsRenamed) {
  tests::TempDir dir;
  const std::string readOnly = dir.write("ro.eco", "keep");
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  LocalWindow w("R5 R6");
  chooseWriteOnly(w);
  DialogAnswerer answerer(readOnly);
  click(w[Control::run]);
  const auto seen = answerer.seen();
  ASSERT_FALSE(seen.empty());
  std::string all;
  for (const auto& s : seen) all += "[" + s.title + ": " + s.text + "] ";
  EXPECT_NE(seen.back().text.find(readOnly), std::string::npos) << all;
  EXPECT_NE(seen.back().text.find("Nothing was renamed."), std::string::npos);
  EXPECT_EQ(tests::designators(w.host->design()), words("R5 R6"));
  EXPECT_EQ(tests::TempDir::read(readOnly), "keep");
}

TEST(WriteOnly, TheDialogAddsEcoAndAsksBeforeReplacing) {
  tests::TempDir dir;
  LocalWindow w("R5 R6");
  chooseWriteOnly(w);
  {
    DialogAnswerer answerer(dir.file("plain"));
    click(w[Control::run]);
    EXPECT_EQ(answerer.seen().size(), 1u);
  }
  EXPECT_TRUE(std::filesystem::exists(dir.file("plain.eco")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("plain")));
  DialogAnswerer answerer(dir.file("plain.eco"));
  click(w[Control::run]);
  const auto seen = answerer.seen();
  ASSERT_EQ(seen.size(), 2u) << "the dialog and its question";
  EXPECT_NE(seen[1].text.find("exists"), std::string::npos) << seen[1].text;
  // The second run's file replaced the first one's.
  EXPECT_EQ(tests::TempDir::read(dir.file("plain.eco")).find("R5 R1"), std::string::npos);
}

TEST(Journal, EveryRunOfTheWindowLeavesOneInTheJournalFolder) {
  tests::JournaledWindow w("R5 R6 TP");
  click(w.window.control(Control::allComponents));
  click(w.window.control(Control::run));
  const auto newest = w.journals.newestNotUndone("test.sch");
  ASSERT_TRUE(newest);
  const app::Journal journal = app::parseJournal(tests::TempDir::read(*newest));
  EXPECT_EQ(journal.renames, w.host->renames());
  EXPECT_EQ(journal.end, app::Journal::End::completed);
}

// --- Across processes -------------------------------------------------------

// Varnel's window attached through COM, as Varnel.exe opens it.
struct ComWindow {
  win::ComHostAttacher attacher;
  win::ComPcbConnector pcb;
  app::NoJournals journals;
  win::Program program{attacher, pcb, journals, journals};
  win::MainWindow& window = program.window();
  ComWindow() { program.open(SW_SHOWNOACTIVATE, false); }
};

// Every test across processes runs against both stand-in PowerLogics: the
// loose one (members by name, no type library) and the strict one (a type
// library, DISPIDs of its own per class, events through a dispinterface of
// its own, a document object per design, errors through IErrorInfo).
enum class PowerLogicKind { loose, strict };

class StandIns : public testing::TestWithParam<PowerLogicKind> {
 protected:
  std::wstring kindOption() const {
    return GetParam() == PowerLogicKind::strict ? L" --strict" : L"";
  }
  win::ComApartment apartment;
  tests::TempDir dir;
  std::string designFile =
      dir.write("board.design", "design board.sch\nR5 0 0\nR6 10 0 selected\nC9 0 0\nTP 5 5\n");
  std::string layoutFile =
      dir.write("board.layout", "design board.pcb\nR5 0 0\nR6 0 0\nC9 0 0\nTP 0 0\n");
  std::string schematicSaved = dir.file("schematic.saved");
  std::string layoutSaved = dir.file("layout.saved");

  std::unique_ptr<win::ChildProcess> startPowerLogic(const std::wstring& extra = L"",
                                                     const std::string& design = "") {
    auto process = std::make_unique<win::ChildProcess>(
        L"standin-powerlogic.exe", win::quoted(design.empty() ? designFile : design) +
                                       L" --autosave " + win::quoted(schematicSaved) +
                                       kindOption() + extra);
    EXPECT_TRUE(win::waitForServer(win::kPowerLogicProgId));
    return process;
  }
  std::unique_ptr<win::ChildProcess> startPowerPcb() {
    auto process = std::make_unique<win::ChildProcess>(
        L"standin-powerpcb.exe",
        win::quoted(layoutFile) + L" --autosave " + win::quoted(layoutSaved));
    EXPECT_TRUE(win::waitForServer(win::kPowerPcbProgId));
    return process;
  }
};

TEST_P(StandIns, TheClientReadsAndRenamesInAnotherProcess) {
  auto powerLogic = startPowerLogic();
  auto app = win::ComHostAttacher().attach();
  auto list = app->ActiveDocument()->Components();
  ASSERT_EQ(list->Count(), 4);
  EXPECT_TRUE(list->Item("R6")->Selected());
  EXPECT_EQ(list->Item(2)->Placements()->Item(1)->X(0), 10.0);
  try {
    list->Item(1)->setName("R6");
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), base::errors::kDesignatorInUse);
    EXPECT_EQ(e.text(), "Reference designator R6 is already in use");
  }
  list->Item(1)->setName("R1");
  EXPECT_EQ(standin::loadDesignFile(schematicSaved).parts[0].designator, "R1");
  powerLogic->kill();
  EXPECT_THROW(list->Count(), base::Error);
}

TEST_P(StandIns, StartUpWithoutPowerLogicSaysSoAndEnds) {
  DialogAnswerer answerer;
  ComWindow com;
  win::MainWindow& window = com.window;
  EXPECT_TRUE(window.ended());
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text, "Are you sure Powerlogic is running ? ");
  EXPECT_EQ(answerer.seen()[0].title, "Varnel");
}

TEST_P(StandIns, StartUpWithNoDesignLoadedSaysSoAndEnds) {
  win::ChildProcess empty(L"standin-powerlogic.exe", kindOption());
  ASSERT_TRUE(win::waitForServer(win::kPowerLogicProgId));
  DialogAnswerer answerer;
  ComWindow com;
  win::MainWindow& window = com.window;
  EXPECT_TRUE(window.ended());
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text, "You must load a project before running Varnel");
}

TEST_P(StandIns, OpeningAnotherDesignReattaches) {
  auto powerLogic = startPowerLogic();
  ComWindow com;
  win::MainWindow& window = com.window;
  ASSERT_EQ(titleOf(window.handle()), "Varnel board.sch");
  type(window.control(Control::startNumber), "5");
  const std::string other = dir.write("other.design", "design other.sch\nU1 0 0\n");
  win::DispatchObject app(win::attachRunning(win::kPowerLogicProgId), "StandinApplication");
  const win::Variant path = win::Variant::fromString(other);
  try {
    app.call("OpenDesign", {&path});
  } catch (const base::Error& e) {
    FAIL() << describe(e);
  }
  win::pumpMessages(300ms);
  EXPECT_EQ(titleOf(window.handle()), "Varnel other.sch");
  EXPECT_EQ(titleOf(window.control(Control::startNumber)), "5");
  EXPECT_EQ(com.program.link().firstComponentName(), "U1");
  // The run renames the design open now, not the one closed.
  click(window.control(Control::allComponents));
  DialogAnswerer answerer;
  click(window.control(Control::run));
  EXPECT_TRUE(answerer.seen().empty()) << answerer.seen()[0].text;
  EXPECT_EQ(tests::designators(standin::loadDesignFile(schematicSaved)), words("U5"));
}

TEST_P(StandIns, AChangedSelectionIsNotTakenForAnOpenedDesign) {
  auto powerLogic = startPowerLogic();
  ComWindow com;
  win::MainWindow& window = com.window;
  click(window.control(Control::allComponents));
  win::DispatchObject app(win::attachRunning(win::kPowerLogicProgId), "StandinApplication");
  const win::Variant position = win::Variant::fromInt(1), selected = win::Variant::fromBool(true);
  app.call("SelectPart", {&position, &selected});
  win::pumpMessages(300ms);
  EXPECT_TRUE(isChecked(window.control(Control::allComponents)))
      << "the design was not taken again";
  EXPECT_EQ(titleOf(window.handle()), "Varnel board.sch");
}

// PowerLogic busy for good from its k-th call on (a dialog left open): the
// run stops where the busy host rejected it, once the quiet retries of the
// client's own call path ran out (Wine never asks the message filter to
// retry), says so, and loses no rename.
TEST_P(StandIns, ABusyPowerLogicStopsTheRunAndSaysSo) {
  win::BusyHostFilter filter(host::BusyRetryPolicy([] { return false; }));
  int stoppedInMidRun = 0;
  for (int k = 14; k <= 26; k += 4) {
    SCOPED_TRACE("PowerLogic busy after call " + std::to_string(k));
    std::filesystem::remove(schematicSaved);
    auto powerLogic = startPowerLogic(L" --busy-after " + std::to_wstring(k));
    const std::string ecoFile = dir.file("busy" + std::to_string(k) + ".eco");
    DialogAnswerer answerer(ecoFile);
    ComWindow com;
    ASSERT_FALSE(com.window.ended());
    click(com.window.control(Control::allComponents));
    click(com.window.control(Control::writeEco));
    click(com.window.control(Control::writeOnly));
    click(com.window.control(Control::run));
    const auto seen = answerer.seen();
    ASSERT_FALSE(seen.empty());
    const std::string& text = seen.back().text;
    EXPECT_NE(text.find("error 0x80010001: PowerLogic is busy and did not take the call."),
              std::string::npos)
        << text;
    if (text.rfind("The run stopped after ", 0) == 0) ++stoppedInMidRun;
    auto original = standin::loadDesignFile(designFile);
    if (std::filesystem::exists(ecoFile))
      standin::applyEco(original, tests::TempDir::read(ecoFile));
    EXPECT_EQ(tests::designators(original),
              tests::designators(standin::loadDesignFile(schematicSaved)));
  }
  EXPECT_GT(stoppedInMidRun, 0);
}

// PowerLogic busy for a while in mid-run (a dialog opened in it and closed):
// for 3 s, the retries wait it out quietly and the run completes; for 20 s,
// the question comes after 5 s, Retry waits on (the run completes) and
// Cancel stops the run as any failure in mid-run does.
TEST_P(StandIns, ABusyPowerLogicIsWaitedForAndTheUserAsked) {
  struct Case {
    long busyFor;
    int answer;  // IDRETRY or IDCANCEL; 0: no question expected
    bool completes;
  };
  for (const Case& c :
       {Case{3000, 0, true}, Case{20000, IDRETRY, true}, Case{20000, IDCANCEL, false}}) {
    SCOPED_TRACE("busy for " + std::to_string(c.busyFor) + " ms, answer " +
                 std::to_string(c.answer));
    std::filesystem::remove(schematicSaved);
    auto powerLogic = startPowerLogic(L" --busy-after 18 --busy-for " + std::to_wstring(c.busyFor));
    ComWindow com;
    win::BusyHostFilter filter(
        host::BusyRetryPolicy([&] { return win::askToWaitForBusyHost(com.window.handle()); }));
    int asked = 0;
    DialogAnswerer answerer("", {}, [&](HWND box) {
      if (win::windowText(GetDlgItem(box, 0xFFFF)).rfind("PowerLogic is busy.", 0) != 0) return;
      // Posted before the answerer's own answer, so this one ends the box.
      ++asked;
      PostMessageW(box, WM_COMMAND, c.answer ? c.answer : IDCANCEL, 0);
    });
    click(com.window.control(Control::allComponents));
    click(com.window.control(Control::run));
    const auto names = tests::designators(standin::loadDesignFile(schematicSaved));
    if (c.completes) {
      EXPECT_EQ(names, words("R1 R2 C1 TP"));
      EXPECT_NE(com.window.statusText().find("renames made."), std::string::npos)
          << com.window.statusText();
    } else {
      ASSERT_FALSE(answerer.seen().empty());
      EXPECT_NE(answerer.seen().back().text.find("PowerLogic is busy and did not take the call."),
                std::string::npos)
          << answerer.seen().back().text;
    }
    EXPECT_EQ(asked > 0, c.answer != 0) << asked << " questions";
    if (c.answer == IDRETRY) {
      EXPECT_GE(asked, 2) << "asked again after each 5 s waited on";
    }
  }
}

TEST_P(StandIns, ARunWithForcedReadLeavesTheLayoutEqualToTheSchematic) {
  auto powerLogic = startPowerLogic();
  auto powerPcb = startPowerPcb();
  ComWindow com;
  win::MainWindow& window = com.window;
  click(window.control(Control::allComponents));
  click(window.control(Control::writeEco));
  ASSERT_TRUE(isChecked(window.control(Control::forceReadInPcb)));
  DialogAnswerer answerer;
  click(window.control(Control::run));
  EXPECT_TRUE(answerer.seen().empty()) << answerer.seen()[0].text;
  const auto schematic = standin::loadDesignFile(schematicSaved);
  const auto layout = standin::loadDesignFile(layoutSaved);
  EXPECT_EQ(tests::designators(schematic), words("R1 R2 C1 TP"));
  EXPECT_EQ(tests::designators(layout), tests::designators(schematic));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::temp_directory_path() / "board.eco"));
}

TEST_P(StandIns, ForcedReadWithoutPowerPcbRefusesTheRunBeforeAnyRename) {
  auto powerLogic = startPowerLogic();
  ComWindow com;
  click(com.window.control(Control::allComponents));
  click(com.window.control(Control::writeEco));
  DialogAnswerer answerer;
  click(com.window.control(Control::run));
  const auto seen = answerer.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text.rfind("error 429: PowerPCB must be running with the layout open", 0), 0u)
      << seen[0].text;
  EXPECT_EQ(com.program.link().firstComponentName(), "R5");
  EXPECT_FALSE(std::filesystem::exists(schematicSaved) &&
               tests::designators(standin::loadDesignFile(schematicSaved))[0] != "R5");
}

TEST_P(StandIns, AfterPowerLogicRestartsTheNextRunAttachesToIt) {
  auto powerLogic = startPowerLogic();
  ComWindow com;
  win::MainWindow& window = com.window;
  click(window.control(Control::allComponents));
  powerLogic->kill();
  DialogAnswerer answerer;
  click(window.control(Control::run));
  ASSERT_EQ(answerer.seen().size(), 1u);
  click(window.control(Control::run));
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(answerer.seen()[1].text,
            "PowerLogic is not running. Start it and open your design, then press Run again.");
  EXPECT_FALSE(window.ended());

  const std::string other = dir.write("other.design", "design other.sch\nU3 0 0\nU8 0 0\n");
  powerLogic = startPowerLogic(L"", other);
  click(window.control(Control::run));
  ASSERT_EQ(answerer.seen().size(), 3u);
  EXPECT_EQ(answerer.seen()[2].text,
            "PowerLogic was started again. Varnel now works on the design other.sch; press Run "
            "to renumber it.");
  EXPECT_EQ(titleOf(window.handle()), "Varnel other.sch");
  click(window.control(Control::run));
  EXPECT_EQ(answerer.seen().size(), 3u) << answerer.seen().back().text;
  EXPECT_EQ(tests::designators(standin::loadDesignFile(schematicSaved)), words("U1 U2"));
}

TEST_P(StandIns, VarnelFromTheCommandLineGivesTheOfflineRunnersOutput) {
  std::ostringstream out, err;
  const std::string offlineEco = dir.file("offline.eco");
  const int offlineStatus = standin::runOffline(
      {designFile, "--selected", "--start", "5", "--eco", offlineEco}, out, err);
  auto powerLogic = startPowerLogic();
  const std::string eco = dir.file("varnel.eco");
  const auto run =
      win::runCaptured(L"Varnel.exe", L"--selected --start 5 --eco " + win::quoted(eco) +
                                          L" --journal " + win::quoted(dir.file("run.journal")));
  EXPECT_EQ(run.exitCode, offlineStatus) << run.err;
  EXPECT_EQ(run.out, out.str());
  EXPECT_EQ(run.err, err.str());
  EXPECT_EQ(tests::TempDir::read(eco), tests::TempDir::read(offlineEco));
  EXPECT_EQ(app::parseJournal(tests::TempDir::read(dir.file("run.journal"))).end,
            app::Journal::End::completed);
  const auto version = win::runCaptured(L"Varnel.exe", L"--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("Varnel 0.", 0), 0u) << version.out;
  EXPECT_EQ(win::runCaptured(L"Varnel.exe", L"--all --out x").exitCode, 2);
  const auto stats = win::runCaptured(L"Varnel.exe", L"--all --preview --stats");
  EXPECT_EQ(stats.exitCode, 0) << stats.err;
  EXPECT_NE(stats.err.find("round trips: "), std::string::npos) << stats.err;
}

TEST_P(StandIns, AnUndoWithForcedReadTakesBothSchematicAndLayoutBack) {
  auto powerLogic = startPowerLogic();
  auto powerPcb = startPowerPcb();
  win::ComHostAttacher attacher;
  win::ComPcbConnector pcb;
  app::JournalFolder journals(dir.file("Journal"));
  win::Program program(attacher, pcb, journals, journals);
  win::MainWindow& window = program.window();
  program.open(SW_SHOWNOACTIVATE, false);
  click(window.control(Control::allComponents));
  click(window.control(Control::writeEco));  // Write and force read in PCB
  DialogAnswerer answerer;
  click(window.control(Control::run));
  ASSERT_EQ(tests::designators(standin::loadDesignFile(schematicSaved)), words("R1 R2 C1 TP"));
  SendMessageW(window.handle(), WM_SYSCOMMAND, 0x0110, 0);  // Undo last run...
  ASSERT_TRUE(IsWindowVisible(program.preview().handle()));
  click(GetDlgItem(program.preview().handle(), IDOK));
  EXPECT_TRUE(answerer.seen().empty()) << answerer.seen()[0].text;
  const auto original = tests::designators(standin::loadDesignFile(designFile));
  EXPECT_EQ(tests::designators(standin::loadDesignFile(schematicSaved)), original);
  EXPECT_EQ(tests::designators(standin::loadDesignFile(layoutSaved)), original);
}

TEST_P(StandIns, ASecondVarnelBringsTheFirstToTheFrontAndEnds) {
  auto powerLogic = startPowerLogic();
  win::ChildProcess first(L"Varnel.exe", L"");
  HWND running = nullptr;
  for (int i = 0; i < 200 && !(running && IsWindowVisible(running)); ++i) {
    win::pumpMessages(50ms);
    running = FindWindowW(L"VarnelMain", nullptr);
  }
  ASSERT_TRUE(running && IsWindowVisible(running)) << "the first Varnel shows its window";
  win::ChildProcess second(L"Varnel.exe", L"");
  EXPECT_EQ(second.waitForExit(20000), 0) << "the second ends at once";
  EXPECT_EQ(first.waitForExit(0), -1) << "the first still runs";
  EXPECT_TRUE(IsWindow(running));
}

// PowerLogic in its own process stops answering after its k-th call, for
// every second k from the run's first call to its last rename (start-up
// takes the first 9 calls; the run ends near the 28th).
TEST_P(StandIns, AHostThatDiesAtAnyPointLosesNoRename) {
  int faults = 0;
  for (int k = 10; k <= 26; k += 2) {
    SCOPED_TRACE("PowerLogic fails after call " + std::to_string(k));
    std::filesystem::remove(schematicSaved);
    auto powerLogic = startPowerLogic(L" --fail-after " + std::to_wstring(k));
    const std::string ecoFile = dir.file("halfway" + std::to_string(k) + ".eco");
    DialogAnswerer answerer(ecoFile);
    win::ComHostAttacher attacher;
    win::ComPcbConnector pcb;
    app::NoJournals journals;
    win::Program program(attacher, pcb, journals, journals);
    win::MainWindow& window = program.window();
    program.open(SW_SHOWNOACTIVATE, false);
    ASSERT_FALSE(window.ended());
    click(window.control(Control::allComponents));
    click(window.control(Control::writeEco));
    click(window.control(Control::writeOnly));
    click(window.control(Control::run));
    const auto seen = answerer.seen();
    ASSERT_FALSE(seen.empty());
    // A failure in mid-run says first how far the run came; one before it,
    // only the error. How many calls attaching takes varies a little with the
    // machine's load: a fault that lands after the run's last call fails
    // nothing, and the run ends after its save dialog without a message.
    const std::string& text = seen.back().text;
    if (text != "(save dialog)") {
      EXPECT_TRUE(text.rfind("error 0x800706BE: ", 0) == 0 ||
                  ((text.rfind("The run stopped after ", 0) == 0 ||
                    text.rfind("The run stopped before its first rename", 0) == 0) &&
                   text.find("\nerror 0x800706BE: ") != std::string::npos))
          << text;
    }
    EXPECT_FALSE(window.ended());
    // What PowerLogic holds is the original design with the ECO file applied.
    auto original = standin::loadDesignFile(designFile);
    const auto schematic = standin::loadDesignFile(schematicSaved);
    const auto names = tests::designators(schematic);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    if (std::filesystem::exists(ecoFile))
      standin::applyEco(original, tests::TempDir::read(ecoFile));
    EXPECT_EQ(tests::designators(original), names);
    ++faults;
  }
  RecordProperty("faults", faults);
}

INSTANTIATE_TEST_SUITE_P(BothPowerLogics, StandIns,
                         testing::Values(PowerLogicKind::loose, PowerLogicKind::strict),
                         [](const auto& info) {
                           return info.param == PowerLogicKind::strict ? "Strict" : "Loose";
                         });

}  // namespace
}  // namespace varnel
