// varnel-bench-com.exe SIZE: a "Rename all components" run over SIZE
// components in which every one must move aside, with Varnel's COM client
// against the stand-in PowerLogic in a process of its own. Prints seconds and
// the host calls the stand-in counted.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "app/renumbering_session.h"
#include "eco/std_file_system.h"
#include "generated_designs.h"
#include "standin/design_file.h"
#include "standin/win32/desktop_automation.h"
#include "win32/com/com_host.h"
#include "win32/com/powerlogic_ids.h"

using namespace varnel;

namespace {

struct NoReport final : ui::ReportView {
  bool isOpen() override { return false; }
  std::string text() override { return {}; }
  void show(const std::string&) override {}
};

struct NoDialog final : ui::SaveDialog {
  std::string askSavePath(const std::string&) override { return {}; }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int size = argc > 1 ? std::stoi(argv[1]) : 1000;
  win::ComApartment apartment;
  const auto file = (std::filesystem::temp_directory_path() / "varnel-bench.design").string();
  standin::saveDesignFile(bench::allMove(size), file);
  win::ChildProcess powerLogic(L"standin-powerlogic.exe", win::quoted(file));
  if (!win::waitForServer(win::kPowerLogicProgId)) return 1;
  win::DispatchObject counter(win::attachRunning(win::kPowerLogicProgId), "StandinApplication");
  win::ComHostAttacher attacher;
  ui::ProgressValues progress;
  NoReport report;
  NoDialog dialog;
  win::ComPcbConnector pcb;
  eco::StdFileSystem files;
  eco::Windows1252Encoder encoder;
  app::NoJournals journals;
  app::RenumberingSession session(attacher, progress, report, dialog, pcb, files, encoder,
                                  journals);
  try {
    session.attach([] {});
    const long before = win::toLong(counter.get("HostCalls"));
    const auto start = std::chrono::steady_clock::now();
    const auto outcome = session.run(RunSettings{});
    if (outcome.error) throw *outcome.error;
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    const long calls = win::toLong(counter.get("HostCalls")) - before - 1;
    std::printf(
        "cross-process mode 0 run over %d components: %.2f s, %ld host calls (%.2f a "
        "component, %.3f ms a call)\n",
        size, seconds.count(), calls, static_cast<double>(calls) / size,
        1000 * seconds.count() / calls);
  } catch (const Error& e) {
    std::printf("%s\n", describe(e).c_str());
    return 1;
  }
  return 0;
}
