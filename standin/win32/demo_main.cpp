// varnel-demo.exe DESIGN LAYOUT OUTDIR [--interactive]
// Starts the stand-in PowerLogic with DESIGN and the stand-in PowerPCB with
// LAYOUT. Interactive: starts Varnel.exe beside them and waits until it is
// closed. Otherwise walks through the whole workflow itself, printing every
// step and saving screenshots in OUTDIR; exits 0 only when the layout ends
// with exactly the schematic's designators.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/journal_folder.h"
#include "standin/design_file.h"
#include "standin/win32/desktop_automation.h"
#include "standin/win32/window_capture.h"
#include "win32/base/com_apartment.h"
#include "win32/com/com_host_attacher.h"
#include "win32/com/com_pcb_connector.h"
#include "win32/com/powerlogic_ids.h"
#include "win32/ui/program.h"
#include "win32/ui/recovery_box.h"
#include "win32/ui/user_folders.h"

using namespace varnel;
using app::Control;

namespace {

void say(const std::string& text) {
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

std::string readFile(const std::string& path) {
  std::ifstream in(std::filesystem::path(win::widen(path)), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Each line of text indented, CR LF shown as line ends.
void printLines(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;
    if (c != '\n') {
      line += c;
      continue;
    }
    say("     | " + line);
    line.clear();
  }
  if (!line.empty()) say("     | " + line);
}

// The designators grouped by prefix in list order, a line a stretch.
void printTable(const std::string& title, const standin::DesignData& design) {
  say("   " + title + " (" + std::to_string(design.parts.size()) + " parts):");
  std::string prefix, line;
  for (const auto& part : design.parts) {
    std::string code;
    for (char c : part.designator) {
      if (c < 'A' || c > 'Z') break;
      code += c;
    }
    if (!line.empty() && code != prefix) {
      say(line);
      line.clear();
    }
    if (line.empty()) {
      char label[16];
      std::snprintf(label, sizeof label, "     %-3s:", code.c_str());
      line = label;
    }
    prefix = code;
    line += " " + part.designator;
  }
  if (!line.empty()) say(line);
}

// The main window's system menu commands.
constexpr WPARAM kPreviewCommand = 0x0100;
constexpr WPARAM kUndoCommand = 0x0110;
constexpr WPARAM kAboutCommand = 0x0130;
constexpr WPARAM kNumberingOptionsCommand = 0x0140;

class Walkthrough {
 public:
  Walkthrough(std::string design, std::string layout, std::string out)
      : design_(std::move(design)), layout_(std::move(layout)), out_(std::move(out)) {}

  int run() {
    start();
    win::ComHostAttacher attacher;
    win::ComPcbConnector pcb;
    app::JournalFolder journals(win::journalFolder());
    win::Program program(attacher, pcb, journals, journals);
    win::MainWindow& window = program.window();
    window_ = &window;
    program.open(SW_SHOWNORMAL, false);
    if (window.ended()) return fail("Varnel could not attach to PowerLogic");
    say("2. Varnel attached: its title reads \"" + title(window.handle()) + "\"");
    shot(window.handle(), "01-varnel-attached.png");

    say("3. Rename selected components, Assign next free names, start 1, Write and force read in "
        "PCB");
    printTable("schematic before", schematic());
    click(Control::selectedComponents);
    click(Control::writeEco);
    shot(window.handle(), "02-selected-run-options.png");
    say("   Preview renames (Ctrl+P): the plan and its map, nothing renamed yet");
    SendMessageW(window.handle(), WM_SYSCOMMAND, kPreviewCommand, 0);
    shot(program.preview().handle(), "07-preview-with-map.png", win::CaptureArea::wholeWindow);
    SendMessageW(program.preview().handle(), WM_CLOSE, 0, 0);
    press();
    printTable("schematic after", schematic());
    printEco();

    say("4. Rename all components, start 1, Write and force read in PCB");
    click(Control::allComponents);
    shot(window.handle(), "03-all-run-options.png", win::CaptureArea::wholeWindow);
    press();
    printTable("schematic after", schematic());
    printEco();
    if (program.report().isOpen()) {
      say("   the report of ignored designators:");
      printLines(program.report().text());
      shot(program.report().handle(), "04-ignored-designators.png", win::CaptureArea::wholeWindow);
      shot(GetDesktopWindow(), "06-desktop.png");
    }
    shot(window.handle(), "05-varnel-after-runs.png");
    if (const int failed = check()) return failed;

    say("5. Undo last run (Ctrl+Z) twice: the Undo window, then Rename; schematic and layout");
    say("   go back run by run");
    for (int undo = 0; undo < 2; ++undo) {
      win::DialogAnswerer answerer;
      SendMessageW(window.handle(), WM_SYSCOMMAND, kUndoCommand, 0);
      if (undo == 0) shot(program.preview().handle(), "08-undo.png", win::CaptureArea::wholeWindow);
      SendMessageW(GetDlgItem(program.preview().handle(), IDOK), BM_CLICK, 0, 0);
      for (const auto& seen : answerer.seen()) say("   message: " + seen.text);
      win::pumpMessages(std::chrono::milliseconds(200));
    }
    printTable("schematic after both undos", schematic());
    std::vector<std::string> original, now;
    for (const auto& p : standin::loadDesignFile(design_).parts) original.push_back(p.designator);
    for (const auto& p : schematic().parts) now.push_back(p.designator);
    if (now != original) return fail("the undos did not give the schematic its names back");
    say("check: the schematic's " + std::to_string(now.size()) +
        " designators are those of the board as it was");
    showAbout();
    showRecoveryBox();
    showNumberingOptions(program);
    if (const int failed = numberByBoard(program)) return failed;
    if (const int failed = stopARun()) return failed;
    return check();
  }

  // A run stopped part-way with Stop (Run's place while it works), its
  // status text and Stop button in a picture; the run it cut off is taken
  // back at once, from the box that comes.
  int stopARun() {
    say("11. Rename all components, stopped part-way with Stop, then taken back");
    const std::string path = file("14-run-stopped.png");
    const std::vector<std::string> before = names(schematic());
    HWND run = window_->control(Control::run);
    std::atomic<bool> done{false}, pictured{false};
    std::thread user([&] {
      // Some renames in: the status bar counts them.
      while (!done && window_->statusText().rfind("Renaming: ", 0) != 0) Sleep(5);
      if (done) return;
      Sleep(60);
      win::saveWindowPng(window_->handle(), path, win::CaptureArea::wholeWindow);
      pictured = true;
      PostMessageW(run, BM_CLICK, 0, 0);
    });
    win::DialogAnswerer answerer("", {}, [&](HWND box) {
      if (GetDlgItem(box, 101)) PostMessageW(box, WM_COMMAND, 101, 0);  // Take it back
    });
    click(Control::run);
    done = true;
    user.join();
    for (const auto& seen : answerer.seen()) say("   box: " + seen.title);
    if (pictured) say("   screenshot: " + path);
    say("   status: " + window_->statusText());
    if (names(schematic()) != before) return fail("the stopped run was not taken back");
    say("check: the stopped run was taken back; the schematic is as it was before it");
    return 0;
  }

  static std::vector<std::string> names(const standin::DesignData& design) {
    std::vector<std::string> out;
    for (const auto& part : design.parts) out.push_back(part.designator);
    return out;
  }

 private:
  std::string file(const char* name) const { return out_ + "\\" + name; }
  standin::DesignData schematic() const {
    return standin::loadDesignFile(file("schematic.design"));
  }

  void start() {
    say("1. Starting the stand-in PowerLogic with " + design_ + " and the stand-in PowerPCB with " +
        layout_);
    powerLogic_ = std::make_unique<win::ChildProcess>(
        L"standin-powerlogic.exe",
        win::quoted(design_) + L" --autosave " + win::quoted(file("schematic.design")));
    powerPcb_ = std::make_unique<win::ChildProcess>(
        L"standin-powerpcb.exe", win::quoted(layout_) + L" --autosave " +
                                     win::quoted(file("layout.design")) + L" --keep-eco " +
                                     win::quoted(file("eco-read-by-powerpcb.eco")));
    if (!win::waitForServer(win::kPowerLogicProgId) || !win::waitForServer(win::kPowerPcbProgId))
      throw std::runtime_error("the stand-ins did not start");
    win::pumpMessages(std::chrono::milliseconds(300));
    arrangeStandIns();
  }

  // PowerLogic and PowerPCB side by side on the left of the desktop; Varnel
  // opens on the right by itself, its report left of it.
  void arrangeStandIns() {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = 330, height = static_cast<int>(work.bottom - work.top) - 16;
    int left = static_cast<int>(work.left) + 8;
    for (const win::ChildProcess* standIn : {powerLogic_.get(), powerPcb_.get()}) {
      if (HWND window = standIn->mainWindow())
        SetWindowPos(window, nullptr, left, work.top + 8, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      left += width + 8;
    }
  }

  static std::string title(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return win::narrow(text);
  }

  void click(Control id) { SendMessageW(window_->control(id), BM_CLICK, 0, 0); }

  void press() {
    win::DialogAnswerer answerer;
    click(Control::run);
    for (const auto& seen : answerer.seen()) say("   message: " + seen.text);
    win::pumpMessages(std::chrono::milliseconds(200));
  }

  // The ECO file a section a line: its header lines are always the same.
  void printEco() {
    const std::string path = file("eco-read-by-powerpcb.eco");
    const std::string text = readFile(path);
    std::vector<std::string> sections(1);
    std::size_t records = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line == "*END*")
        sections.emplace_back();
      else if (!line.empty() && line[0] != '*')
        sections.back() += "  " + line, ++records;
    }
    sections.pop_back();
    say("   the ECO file PowerPCB read: " + std::to_string(text.size()) + " bytes, " +
        std::to_string(sections.size()) + " sections, " + std::to_string(records) +
        " renames (OLD NEW), a section a line:");
    for (std::size_t i = 0; i < sections.size(); ++i)
      say("     " + std::to_string(i + 1) + ":" + sections[i]);
    const auto temporary = std::filesystem::temp_directory_path() / "controller.eco";
    say(std::string("   the forced-read file ") +
        (std::filesystem::exists(temporary) ? "is still there" : "was deleted after reading"));
  }

  // Taken from the answering thread while the box is open: it is modal.
  void showAbout() {
    say("6. About Varnel: the journal folder whole in a field of its own, with Copy");
    const std::string path = file("09-about.png");
    win::DialogAnswerer answerer("", {}, [&](HWND box) {
      Sleep(600);
      win::saveWindowPng(box, path, win::CaptureArea::wholeWindow);
    });
    SendMessageW(window_->handle(), WM_SYSCOMMAND, kAboutCommand, 0);
    say("   screenshot: " + path);
  }

  // As it would open had Varnel been ended in the middle of the first run.
  void showRecoveryBox() {
    say("7. A run cut off by Varnel's end: the box that asks how to close it (here: Leave)");
    app::Journal journal;
    journal.version = 2;
    journal.design = "controller.sch";
    journal.started = "2026-12-07T16:05:09Z";
    journal.settings = "--all --start 1 --eco force-read";
    journal.eco = app::EcoOutput::forceReadInPcb;
    journal.planned = 157;
    journal.plan.resize(157);
    const std::string path = file("10-recovery.png");
    win::DialogAnswerer answerer("", {}, [&](HWND box) {
      Sleep(600);
      win::saveWindowPng(box, path, win::CaptureArea::wholeWindow);
      PostMessageW(box, WM_SYSCHAR, 'l', 1 << 29);
    });
    win::askRecovery(window_->handle(), app::recoveryQuestion(journal, 60));
    say("   screenshot: " + path);
  }

  // Filled in as a designer would, OK pressed, the Preview of a run under
  // them; then every option back at its default, as the demo found them.
  void showNumberingOptions(win::Program& program) {
    say("8. Numbering options: names already right kept, J1-J8 and TP* locked, only R and C, "
        "R counted from 100, selected components row by row on a grid of 50");
    renumber::RulesTexts chosen{true, "J1-J8 TP*", "R C", "R=100"};
    chosen.order = "rows-first";
    chosen.grid = "50";
    setNumberingOptions(chosen, "11-numbering-options.png");
    say("   Preview renames (Ctrl+P) of Rename all components under them: the rules under the");
    say("   summary, a check box on every rename");
    SendMessageW(window_->handle(), WM_SYSCOMMAND, kPreviewCommand, 0);
    shot(program.preview().handle(), "12-preview-with-rules.png", win::CaptureArea::wholeWindow);
    SendMessageW(program.preview().handle(), WM_CLOSE, 0, 0);
    say("9. Rename selected components row by row from the top right: the Preview's map");
    renumber::RulesTexts order;
    order.order = "rows-first";
    order.across = "right-to-left";
    setNumberingOptions(order, nullptr);
    click(app::Control::selectedComponents);
    SendMessageW(window_->handle(), WM_SYSCOMMAND, kPreviewCommand, 0);
    shot(program.preview().handle(), "13-preview-rows-first.png", win::CaptureArea::wholeWindow);
    SendMessageW(program.preview().handle(), WM_CLOSE, 0, 0);
    click(app::Control::allComponents);
    setNumberingOptions({}, nullptr);
  }

  // The placement file the layout would export for assembly: the layout's
  // parts in millimetres, every fourth on the bottom side, the last part
  // (a mechanical one, say) left out.
  std::string writePlacementFile() const {
    const standin::DesignData layout = standin::loadDesignFile(file("layout.design"));
    std::ofstream out(file("controller-pos.csv"), std::ios::binary);
    out << "Designator,Mid X,Mid Y,Layer,Rotation\r\n";
    for (std::size_t k = 0; k + 1 < layout.parts.size(); ++k) {
      const auto& part = layout.parts[k];
      out << part.designator << ',' << part.x * 0.0254 << "mm," << part.y * 0.0254 << "mm,"
          << (k % 4 == 3 ? "Bottom" : "Top") << ",0\r\n";
    }
    return file("controller-pos.csv");
  }

  // Numbered by board position from the placement file: the options, the
  // Preview's board map, the run, and the layout following it.
  int numberByBoard(win::Program& program) {
    say("10. Numbering options: number by the board's placement, from the placement file the");
    say("    layout exported; the bottom side from 101, seen from below");
    renumber::RulesTexts board;
    board.byBoard = true;
    board.boardFile = writePlacementFile();
    board.bottomStart = "101";
    setNumberingOptions(board, "15-numbering-options-board.png");
    say("   Preview renames (Ctrl+P) of Rename all components by board position: the board map");
    SendMessageW(window_->handle(), WM_SYSCOMMAND, kPreviewCommand, 0);
    shot(program.preview().handle(), "16-preview-board-map.png", win::CaptureArea::wholeWindow);
    SendMessageW(program.preview().handle(), WM_CLOSE, 0, 0);
    press();
    printTable("schematic after", schematic());
    printEco();
    setNumberingOptions({}, nullptr);
    return check();
  }

  void setNumberingOptions(const renumber::RulesTexts& texts, const char* screenshot) {
    const std::string path = screenshot ? file(screenshot) : "";
    win::DialogAnswerer answerer("", {}, [&](HWND box) {
      Sleep(300);
      SendDlgItemMessageW(box, 100, BM_SETCHECK, texts.keepRight ? BST_CHECKED : BST_UNCHECKED, 0);
      SetDlgItemTextW(box, 101, win::widen(texts.locked).c_str());
      SetDlgItemTextW(box, 102, win::widen(texts.only).c_str());
      SetDlgItemTextW(box, 103, win::widen(texts.startFor).c_str());
      SendDlgItemMessageW(box, 104, CB_SETCURSEL,
                          renumber::indexOf(renumber::orderChoices(), texts.order).value_or(0), 0);
      SendDlgItemMessageW(box, 105, CB_SETCURSEL,
                          renumber::indexOf(renumber::acrossChoices(), texts.across).value_or(0),
                          0);
      SendDlgItemMessageW(box, 106, CB_SETCURSEL,
                          renumber::indexOf(renumber::downChoices(), texts.down).value_or(0), 0);
      SetDlgItemTextW(box, 107, win::widen(texts.grid).c_str());
      CheckRadioButton(box, 108, 109, texts.byBoard ? 109 : 108);
      SetDlgItemTextW(box, 110, win::widen(texts.boardFile).c_str());
      SetDlgItemTextW(box, 115, win::widen(texts.bottomStart).c_str());
      if (path.empty()) return;
      // Painted now, lists and all, before the picture is taken.
      RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      Sleep(300);
      win::saveWindowPng(box, path, win::CaptureArea::wholeWindow);
    });
    SendMessageW(window_->handle(), WM_SYSCOMMAND, kNumberingOptionsCommand, 0);
    if (!path.empty()) say("   screenshot: " + path);
  }

  void shot(HWND window, const char* name, win::CaptureArea area = win::CaptureArea::client) {
    const std::string path = file(name);
    // The X server shows what was drawn a moment later: let it settle.
    SetForegroundWindow(window);
    win::pumpMessages(std::chrono::milliseconds(600));
    win::saveWindowPng(window, path, area);
    say("   screenshot: " + path);
  }

  int check() {
    const auto schematicNames = schematic();
    const auto layout = standin::loadDesignFile(file("layout.design"));
    std::vector<std::string> a, b;
    for (const auto& p : schematicNames.parts) a.push_back(p.designator);
    for (const auto& p : layout.parts) b.push_back(p.designator);
    printTable("layout after", layout);
    if (a != b) return fail("the layout's designators differ from the schematic's");
    say("check: the layout's " + std::to_string(b.size()) +
        " designators equal the schematic's, part for part");
    return 0;
  }

  static int fail(const std::string& why) {
    say("check FAILED: " + why);
    return 1;
  }

  std::string design_, layout_, out_;
  std::unique_ptr<win::ChildProcess> powerLogic_, powerPcb_;
  win::MainWindow* window_ = nullptr;
};

int interactive(const std::string& design, const std::string& layout, const std::string& out) {
  say("Starting the stand-in PowerLogic, the stand-in PowerPCB and Varnel; close Varnel to end.");
  win::ChildProcess powerLogic(
      L"standin-powerlogic.exe",
      win::quoted(design) + L" --autosave " + win::quoted(out + "\\schematic.design"));
  win::ChildProcess powerPcb(L"standin-powerpcb.exe", win::quoted(layout) + L" --autosave " +
                                                          win::quoted(out + "\\layout.design"));
  if (!win::waitForServer(win::kPowerLogicProgId) || !win::waitForServer(win::kPowerPcbProgId))
    return 1;
  win::ChildProcess varnel(L"Varnel.exe", L"");
  varnel.waitForExit(INFINITE);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    say("usage: varnel-demo DESIGN LAYOUT OUTDIR [--interactive]");
    return 2;
  }
  const std::string design = win::narrow(argv[1]), layout = win::narrow(argv[2]),
                    out = win::narrow(argv[3]);
  win::ComApartment apartment;
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    if (argc > 4 && std::wstring(argv[4]) == L"--interactive")
      return interactive(design, layout, out);
    return Walkthrough(design, layout, out).run();
  } catch (const std::exception& e) {
    say(std::string("demo failed: ") + e.what());
    return 1;
  }
}
