// varnel-bench-com.exe SIZE: a "Rename all components" run over SIZE
// components in which every one must move aside, with Varnel's COM client
// against the stand-in PowerLogic in a process of its own. Prints seconds and
// the host calls the stand-in counted.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "engine/frm_ren_part.h"
#include "generated_designs.h"
#include "win32/com/com_host.h"
#include "win32/com/powerlogic_ids.h"
#include "standin/design_file.h"
#include "app/option_values.h"
#include "standin/win32/desktop_automation.h"

using namespace varnel;

int wmain(int argc, wchar_t** argv) {
  const int size = argc > 1 ? std::stoi(argv[1]) : 1000;
  win::ComApartment apartment;
  const auto file = (std::filesystem::temp_directory_path() / "varnel-bench.design").string();
  standin::saveDesignFile(bench::allMove(size), file);
  win::ChildProcess powerLogic(L"standin-powerlogic.exe", win::quoted(file));
  if (!win::waitForServer(win::kPowerLogicProgId)) return 1;
  win::DispatchObject counter(win::attachRunning(win::kPowerLogicProgId), "StandinApplication");
  ui::OptionValues options;
  options.all = true;
  ui::ProgressValues progress;
  frmRenPart form{Platform{&options, &progress}};
  try {
    form.powerLogicApp = win::ComHostAttacher().attach();
    form.powerlogicdoc = form.powerLogicApp->ActiveDocument();
    form.takeComponentList();
    form.tyhjenna();
    const long before = win::toLong(counter.get("HostCalls"));
    const auto start = std::chrono::steady_clock::now();
    form.StartFrom(0);
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
