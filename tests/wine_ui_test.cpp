// The Windows program under Wine: its window driven by messages, and the
// COM link to the stand-in PowerLogic and PowerPCB in processes of their own.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "fake_view.h"
#include "fixtures.h"
#include "host/com/com_host.h"
#include "host/com/powerlogic_ids.h"
#include "standin/design_file.h"
#include "standin/pcb_layout.h"
#include "temp_dir.h"
#include "ui/win32/desktop_automation.h"
#include "ui/win32/main_window.h"

namespace varnel {
namespace {

using testing::words;
using ui::Control;
using win::DialogAnswerer;
using namespace std::chrono_literals;

bool isChecked(HWND control) {
  return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
bool isEnabled(HWND control) {
  return IsWindowEnabled(control) != FALSE;
}
void click(HWND control) {
  SendMessageW(control, BM_CLICK, 0, 0);
}
void type(HWND control, const char* text) {
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win::widen(text).c_str()));
}
std::string titleOf(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return win::narrow(text);
}

// The real window over the in-memory host: no COM, only the Win32 wiring.
struct LocalWindow {
  std::shared_ptr<standin::MemoryHost> host;
  testing::FakeAttacher attacher;
  win::ComPcbConnector pcb;
  win::MainWindow window{attacher, pcb};
  explicit LocalWindow(const std::string& parts)
      : host(std::make_shared<standin::MemoryHost>(testing::design(parts))) {
    attacher.app = host;
    window.open(SW_SHOWNOACTIVATE, false);
  }
  HWND operator[](Control id) const { return window.control(id); }
};

TEST(Window, OpensWithTheControlsInTheirInitialStates) {
  LocalWindow w("R1");
  EXPECT_EQ(titleOf(w.window.handle()), "Varnel test.sch");
  EXPECT_EQ(titleOf(w[Control::txtStart]), "1");
  EXPECT_FALSE(isEnabled(w[Control::txtStart]));
  EXPECT_FALSE(isEnabled(w[Control::optAssign]));
  EXPECT_FALSE(isEnabled(w[Control::optECO]));
  EXPECT_TRUE(isChecked(w[Control::optDirect]));
  EXPECT_FALSE(isChecked(w[Control::optStart]));
  EXPECT_EQ(titleOf(w[Control::chkSend]), "Write ECO file for PowerPCB");
  EXPECT_TRUE(GetWindowLongW(w.window.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT client;
  GetClientRect(w.window.handle(), &client);
  EXPECT_EQ(client.right, win::twipsToPixelsX(5700));
}

TEST(Window, ClicksFollowTheEnablingRules) {
  LocalWindow w("R1");
  click(w[Control::optSelected]);
  EXPECT_TRUE(isChecked(w[Control::optSelected]));
  EXPECT_TRUE(isEnabled(w[Control::optAssign]) && isEnabled(w[Control::optDuplicate]));
  EXPECT_TRUE(isChecked(w[Control::optAssign]));
  EXPECT_TRUE(isEnabled(w[Control::txtStart]));
  click(w[Control::optDuplicate]);
  EXPECT_TRUE(isChecked(w[Control::optDuplicate]));
  EXPECT_FALSE(isChecked(w[Control::optAssign]));
  click(w[Control::optStart]);
  EXPECT_FALSE(isChecked(w[Control::optSelected]));
  EXPECT_FALSE(isEnabled(w[Control::optAssign]) || isChecked(w[Control::optDuplicate]));
  click(w[Control::chkSend]);
  EXPECT_TRUE(isChecked(w[Control::chkSend]));
  EXPECT_TRUE(isEnabled(w[Control::optECO]) && isEnabled(w[Control::optDirect]));
  click(w[Control::chkSend]);
  EXPECT_FALSE(isEnabled(w[Control::optECO]) || isEnabled(w[Control::optDirect]));
}

TEST(Window, RefusesIllegalStartNumbersWithTheirMessages) {
  LocalWindow w("R5");
  DialogAnswerer answerer;
  type(w[Control::txtStart], "0");
  click(w[Control::optStart]);
  click(w[Control::cmdRun]);
  click(w[Control::optSelected]);
  type(w[Control::txtStart], "abc");
  click(w[Control::cmdRun]);
  const auto seen = answerer.seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].title, "Error Message");
  EXPECT_EQ(seen[0].text, "Illegal Value");
  EXPECT_EQ(seen[1].text, "Illegal value in Start textbox");
  EXPECT_EQ(w.host->design().parts[0].designator, "R5");
}

TEST(Window, RunsAndLeavesTheProgressBarAtZero) {
  LocalWindow w("R5 R6 GND");
  click(w[Control::optStart]);
  click(w[Control::cmdRun]);
  EXPECT_EQ(testing::designators(w.host->design()), words("R1 R2 GND"));
  EXPECT_EQ(SendMessageW(w[Control::prgbarEdistys], PBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(SendMessageW(w[Control::prgbarEdistys], PBM_GETRANGE, FALSE, 0), 2);
  ASSERT_TRUE(w.window.report().isOpen());
  EXPECT_EQ(w.window.report().text(),
            "Alpha Reference \r\nDesignators Ignored:\r\n-----------------------------------\r\n"
            "GND\r\n");
  EXPECT_EQ(GetWindow(w.window.report().handle(), GW_OWNER), nullptr);
}

TEST(Window, EndClosesEveryWindow) {
  LocalWindow w("GND");
  click(w[Control::optStart]);
  click(w[Control::cmdRun]);
  HWND report = w.window.report().handle();
  ASSERT_TRUE(IsWindow(report));
  click(w[Control::cmdEnd]);
  EXPECT_TRUE(w.window.ended());
  EXPECT_FALSE(IsWindow(report));
}

TEST(Window, EscPressesEnd) {
  LocalWindow w("R1");
  HWND window = w.window.handle();
  SetFocus(w[Control::cmdRun]);
  MSG escape{};
  escape.hwnd = w[Control::cmdRun];
  escape.message = WM_KEYDOWN;
  escape.wParam = VK_ESCAPE;
  // The program's message loop hands keys to IsDialogMessage first.
  EXPECT_TRUE(IsDialogMessageW(window, &escape));
  EXPECT_TRUE(w.window.ended());
  EXPECT_FALSE(IsWindow(window));
}

// --- Across processes -------------------------------------------------------

// Varnel's window attached through COM, as Varnel.exe opens it.
struct ComWindow {
  win::ComHostAttacher attacher;
  win::ComPcbConnector pcb;
  win::MainWindow window{attacher, pcb};
  ComWindow() { window.open(SW_SHOWNOACTIVATE, false); }
};

class StandIns : public ::testing::Test {
 protected:
  win::ComApartment apartment;
  testing::TempDir dir;
  std::string designFile =
      dir.write("board.design", "design board.sch\nR5 0 0\nR6 10 0 selected\nC9 0 0\nTP 5 5\n");
  std::string layoutFile =
      dir.write("board.layout", "design board.pcb\nR5 0 0\nR6 0 0\nC9 0 0\nTP 0 0\n");
  std::string schematicSaved = dir.file("schematic.saved");
  std::string layoutSaved = dir.file("layout.saved");

  std::unique_ptr<win::ChildProcess> startPowerLogic(const std::wstring& extra = L"") {
    auto process = std::make_unique<win::ChildProcess>(
        L"standin-powerlogic.exe",
        win::quoted(designFile) + L" --autosave " + win::quoted(schematicSaved) + extra);
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

TEST_F(StandIns, TheClientReadsAndRenamesInAnotherProcess) {
  auto powerLogic = startPowerLogic();
  auto app = win::ComHostAttacher().attach();
  auto list = app->ActiveDocument()->Components();
  ASSERT_EQ(list->Count(), 4);
  EXPECT_TRUE(list->Item("R6")->Selected());
  EXPECT_EQ(list->Item(2)->Placements()->Item(1)->X(0), 10.0);
  try {
    list->Item(1)->setName("R6");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), standin::kDesignatorInUse);
    EXPECT_EQ(e.text(), "Reference designator R6 is already in use");
  }
  list->Item(1)->setName("R1");
  EXPECT_EQ(standin::loadDesignFile(schematicSaved).parts[0].designator, "R1");
  powerLogic->kill();
  EXPECT_THROW(list->Count(), Error);
}

TEST_F(StandIns, StartUpWithoutPowerLogicSaysSoAndEnds) {
  DialogAnswerer answerer;
  ComWindow com;
  win::MainWindow& window = com.window;
  EXPECT_TRUE(window.ended());
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text, "Are you sure Powerlogic is running ? ");
  EXPECT_EQ(answerer.seen()[0].title, "Varnel");
}

TEST_F(StandIns, StartUpWithNoDesignLoadedSaysSoAndEnds) {
  win::ChildProcess empty(L"standin-powerlogic.exe", L"");
  ASSERT_TRUE(win::waitForServer(win::kPowerLogicProgId));
  DialogAnswerer answerer;
  ComWindow com;
  win::MainWindow& window = com.window;
  EXPECT_TRUE(window.ended());
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text, "You must load a project before running Varnel");
}

TEST_F(StandIns, OpeningAnotherDesignReattaches) {
  auto powerLogic = startPowerLogic();
  ComWindow com;
  win::MainWindow& window = com.window;
  ASSERT_EQ(titleOf(window.handle()), "Varnel board.sch");
  type(window.control(Control::txtStart), "5");
  const std::string other = dir.write("other.design", "design other.sch\nU1 0 0\n");
  win::DispatchObject app(win::attachRunning(win::kPowerLogicProgId), "StandinApplication");
  const win::Variant path = win::Variant::fromString(other);
  app.call("OpenDesign", {&path});
  win::pumpMessages(300ms);
  EXPECT_EQ(titleOf(window.handle()), "Varnel other.sch");
  EXPECT_EQ(titleOf(window.control(Control::txtStart)), "5");
  EXPECT_EQ(window.form().currentPart->Name(), "U1");
}

TEST_F(StandIns, ARunWithForcedReadLeavesTheLayoutEqualToTheSchematic) {
  auto powerLogic = startPowerLogic();
  auto powerPcb = startPowerPcb();
  ComWindow com;
  win::MainWindow& window = com.window;
  click(window.control(Control::optStart));
  click(window.control(Control::chkSend));
  ASSERT_TRUE(isChecked(window.control(Control::optDirect)));
  DialogAnswerer answerer;
  click(window.control(Control::cmdRun));
  EXPECT_TRUE(answerer.seen().empty()) << answerer.seen()[0].text;
  const auto schematic = standin::loadDesignFile(schematicSaved);
  const auto layout = standin::loadDesignFile(layoutSaved);
  EXPECT_EQ(testing::designators(schematic), words("R1 R2 C1 TP"));
  EXPECT_EQ(testing::designators(layout), testing::designators(schematic));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::temp_directory_path() / "board.eco"));
}

// PowerLogic in its own process stops answering after its k-th call, for
// every second k from the run's first call to its last rename (start-up
// takes the first 9 calls; the run ends near the 28th).
TEST_F(StandIns, AHostThatDiesAtAnyPointLosesNoRename) {
  int faults = 0;
  for (int k = 10; k <= 26; k += 2) {
    SCOPED_TRACE("PowerLogic fails after call " + std::to_string(k));
    std::filesystem::remove(schematicSaved);
    auto powerLogic = startPowerLogic(L" --fail-after " + std::to_wstring(k));
    const std::string ecoFile = dir.file("halfway" + std::to_string(k) + ".eco");
    DialogAnswerer answerer(ecoFile);
    win::ComHostAttacher attacher;
    win::ComPcbConnector pcb;
    win::MainWindow window(attacher, pcb);
    window.open(SW_SHOWNOACTIVATE, false);
    ASSERT_FALSE(window.ended());
    click(window.control(Control::optStart));
    click(window.control(Control::chkSend));
    click(window.control(Control::optECO));
    click(window.control(Control::cmdRun));
    const auto seen = answerer.seen();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().text.rfind("error 0x800706BE: ", 0), 0u) << seen.back().text;
    EXPECT_FALSE(window.ended());
    EXPECT_TRUE(window.form().oldNames.empty());
    // What PowerLogic holds is the original design with the ECO file applied.
    auto original = standin::loadDesignFile(designFile);
    const auto schematic = standin::loadDesignFile(schematicSaved);
    const auto names = testing::designators(schematic);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    if (std::filesystem::exists(ecoFile))
      standin::applyEco(original, testing::TempDir::read(ecoFile));
    EXPECT_EQ(testing::designators(original), names);
    ++faults;
  }
  RecordProperty("faults", faults);
}

}  // namespace
}  // namespace varnel
