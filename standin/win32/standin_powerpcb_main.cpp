// standin-powerpcb.exe LAYOUT [--autosave FILE] [--keep-eco FILE] [--watch NAME [--stop-at N]]
// Serves a layout as "PowerPCB.Application" until its window is closed.
// --watch shows its calls to another process, and holds the Nth (call_watch.h).
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "base/error.h"
#include "standin/com/powerpcb_server.h"
#include "standin/com/registration.h"
#include "standin/design_file.h"
#include "standin/win32/call_watch.h"
#include "standin/win32/part_list_window.h"
#include "standin/win32/standin_args.h"
#include "win32/base/com_apartment.h"
#include "win32/base/text.h"
#include "win32/base/variant.h"
#include "win32/com/powerlogic_ids.h"

using namespace varnel;

namespace {

int fail(const std::string& text) {
  return standin::showStartFailure(L"Stand-in PowerPCB", text);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const auto args = standin::parseStandinArgs(standin::commandLineWords());
  if (!args || !args->design || args->failAfter)
    return fail(
        "usage: standin-powerpcb LAYOUT [--autosave FILE] [--keep-eco FILE] [--watch NAME "
        "[--stop-at N]]");
  win::ComApartment apartment;
  auto model = std::make_shared<standin::PcbModel>();
  try {
    model->layout = standin::loadDesignFile(*args->design);
  } catch (const standin::DesignFileError& e) {
    return fail(e.what());
  }
  auto autosave = [&] {
    if (args->autosave) standin::saveDesignFile(model->layout, *args->autosave);
  };
  standin::PartListWindow window(L"PowerPCB (stand-in)", false,
                                 {nullptr, nullptr, [&] {
                                    const std::string path =
                                        standin::askFile(window.handle(), true);
                                    if (!path.empty()) standin::saveDesignFile(model->layout, path);
                                  }});
  model->fileRead = [&](const std::string& bytes) {
    if (!args->keepEco) return;
    std::ofstream(std::filesystem::path(win::widen(*args->keepEco)), std::ios::binary) << bytes;
  };
  std::optional<standin::CallWatch> watch;
  if (args->watch) {
    watch.emplace(*args->watch, args->stopAt);
    model->called = [&](std::int64_t number, const char* operation) {
      watch->onCall(number, operation);
    };
  }
  model->changed = [&] {
    window.show(model->layout);
    autosave();
  };
  window.show(model->layout);
  autosave();
  try {
    standin::serveUntilClosed(standin::servePcbApplication(model).get(), win::kPowerPcbProgId,
                              standin::kStandinPowerPcbClsid);
  } catch (const base::Error& e) {
    return fail(describe(e));
  }
  return 0;
}
