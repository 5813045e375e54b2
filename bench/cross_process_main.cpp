// varnel-bench-com.exe SIZE [numbered]: a "Rename all components" run over SIZE
// components in which every one must move aside, with Varnel's COM client
// against each stand-in PowerLogic (loose, and strict: a type library, and
// component lists with _NewEnum) in a process of its own: once through the
// session alone, once with its journal kept in a file (written as a run
// writes it), once through Varnel's window (its progress bar painting).
// Prints the round trips Varnel made and the host calls served, and beside
// them what a bare IDispatch round trip costs here, and an Item call whose
// new object comes across the process boundary and is let go. Then (alone
// with "numbered") the same run over a board already numbered, without and
// with names already right kept.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "app/file_journal.h"
#include "app/renumbering_session.h"
#include "base/std_file_system.h"
#include "eco/windows_1252.h"
#include "generated_designs.h"
#include "standin/design_file.h"
#include "standin/win32/desktop_automation.h"
#include "win32/base/com_apartment.h"
#include "win32/com/com_host_attacher.h"
#include "win32/com/com_pcb_connector.h"
#include "win32/com/powerlogic_ids.h"
#include "win32/ui/program.h"

using namespace varnel;

namespace {

struct NoReport final : app::ReportView {
  bool isOpen() override { return false; }
  std::string text() override { return {}; }
  void show(const std::string&) override {}
};

struct NoDialog final : app::SaveDialog {
  std::string askSavePath(const std::string&, const std::string&) override { return {}; }
  void written(const std::string&) override {}
};

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start, int calls) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / calls;
}

// The stand-in PowerLogic serving a fresh copy of the design, and its call counter.
struct StandIn {
  win::ChildProcess process;
  win::DispatchObject counter;
  StandIn(const std::string& file, const wchar_t* kind)
      : process(L"standin-powerlogic.exe", win::quoted(file) + kind),
        counter((win::waitForServer(win::kPowerLogicProgId),
                 win::attachRunning(win::kPowerLogicProgId)),
                "StandinApplication") {}
  long calls() { return win::toLong(counter.get("HostCalls")); }
};

struct Timing {
  double seconds;
  long calls;          // served by the host
  std::int64_t trips;  // made by Varnel
  std::size_t renames = 0;
};

// The mean cost of one bare round trip, and of one Item with its object.
void printRoundTrips(host::Application& app, int calls) {
  auto list = app.ActiveDocument()->Components();
  const std::int32_t count = list->Count();
  auto start = Clock::now();
  for (int i = 0; i < calls; ++i) list->Count();
  const double bare = millisecondsSince(start, calls);
  start = Clock::now();
  for (int i = 0; i < calls; ++i) list->Item(1 + i % count);
  std::printf("  bare round trip %.3f ms; Item with a new object, let go: %.3f ms\n", bare,
              millisecondsSince(start, calls));
}

Timing runInSession(StandIn& standIn, app::JournalStore& journals,
                    const renumber::RunSettings& settings = {}) {
  win::ComHostAttacher attacher;
  app::ProgressValues progress;
  NoReport report;
  NoDialog dialog;
  win::ComPcbConnector pcb;
  base::StdFileSystem files;
  eco::Windows1252Encoder encoder;
  app::EcoDelivery delivery(dialog, pcb, files, encoder);
  app::PowerLogicLink link(attacher);
  app::RenumberingSession session(link, progress, report, delivery, journals);
  link.attach([](host::HostEvent) {});
  const long before = standIn.calls();
  const std::int64_t tripsBefore = attacher.roundTrips();
  const auto start = Clock::now();
  const auto outcome = session.run(app::renumbering(settings, app::EcoOutput::none));
  if (outcome.error) throw *outcome.error;
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return {seconds, standIn.calls() - before - 1, attacher.roundTrips() - tripsBefore,
          outcome.log.size()};
}

Timing runInWindow(StandIn& standIn) {
  win::ComHostAttacher attacher;
  win::ComPcbConnector pcb;
  app::NoJournals journals;
  win::Program program(attacher, pcb, journals, journals);
  win::MainWindow& window = program.window();
  program.open(SW_SHOWNOACTIVATE, false);
  SendMessageW(window.control(app::Control::allComponents), BM_CLICK, 0, 0);
  if (SendMessageW(window.control(app::Control::writeEco), BM_GETCHECK, 0, 0) == BST_CHECKED)
    SendMessageW(window.control(app::Control::writeEco), BM_CLICK, 0, 0);
  win::pumpMessages(std::chrono::milliseconds(100));
  const long before = standIn.calls();
  const std::int64_t tripsBefore = attacher.roundTrips();
  const auto start = Clock::now();
  SendMessageW(window.control(app::Control::run), BM_CLICK, 0, 0);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return {seconds, standIn.calls() - before - 1, attacher.roundTrips() - tripsBefore};
}

void print(const char* kind, const char* how, const Timing& t, int size) {
  std::printf(
      "  %-7s %-19s %6.2f s  %6lld round trips (%.2f a component)  %6ld host calls"
      "  %.3f ms a round trip\n",
      kind, how, t.seconds, static_cast<long long>(t.trips), static_cast<double>(t.trips) / size,
      t.calls, 1000 * t.seconds / t.trips);
}

// An already numbered board: every name is what the run gives it.
void runNumbered(int size) {
  const auto file = (std::filesystem::temp_directory_path() / "varnel-numbered.design").string();
  standin::saveDesignFile(bench::alreadyNumbered(size), file);
  std::printf("cross-process \"Rename all components\" over %d components already numbered:\n",
              size);
  for (const bool keepRight : {false, true}) {
    renumber::RunSettings settings;
    settings.rules.keepRight = keepRight;
    StandIn standIn(file, L" --strict");
    app::NoJournals none;
    const Timing t = runInSession(standIn, none, settings);
    std::printf("  %-24s %6.2f s  %6zu renames  %6lld round trips (%.3f a component)\n",
                keepRight ? "names already right kept" : "every name moved", t.seconds, t.renames,
                static_cast<long long>(t.trips), static_cast<double>(t.trips) / size);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int size = argc > 1 ? std::stoi(argv[1]) : 1000;
  win::ComApartment apartment;
  const auto file = (std::filesystem::temp_directory_path() / "varnel-bench.design").string();
  standin::saveDesignFile(bench::allMove(size), file);
  const auto journalFile =
      (std::filesystem::temp_directory_path() / "varnel-bench.journal").string();
  try {
    if (argc > 2 && std::wstring(argv[2]) == L"numbered") {
      runNumbered(size);
      return 0;
    }
    std::printf("cross-process \"Rename all components\" over %d components:\n", size);
    {
      StandIn standIn(file, L"");
      printRoundTrips(*win::ComHostAttacher().attach(), 500);
    }
    struct Kind {
      const char* name;
      const wchar_t* option;
    };
    for (const Kind kind : {Kind{"loose", L""}, Kind{"strict", L" --strict"}}) {
      Timing session, journaled, window;
      {
        StandIn standIn(file, kind.option);
        app::NoJournals none;
        session = runInSession(standIn, none);
      }
      {
        StandIn standIn(file, kind.option);
        app::FileJournal journal(journalFile);
        journaled = runInSession(standIn, journal);
      }
      {
        StandIn standIn(file, kind.option);
        window = runInWindow(standIn);
      }
      print(kind.name, "session alone", session, size);
      print(kind.name, "journal kept", journaled, size);
      print(kind.name, "in Varnel's window", window, size);
    }
    runNumbered(size);
  } catch (const base::Error& e) {
    std::printf("%s\n", describe(e).c_str());
    return 1;
  }
  return 0;
}
