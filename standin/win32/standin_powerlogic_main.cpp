// standin-powerlogic.exe [DESIGN] [--autosave FILE] [--fail-after N] [--strict]
//                        [--busy-after N [--busy-for MS]] [--watch NAME [--stop-at N]]
// Serves a design as "PowerLogic.Application" until its window is closed:
// loosely (members by name, no type library), or with --strict as a
// type-library server. --busy-after rejects every call after the host's Nth,
// for MS milliseconds or for good, as a host with a modal dialog open does.
// --watch shows its calls to another process, and holds the Nth (call_watch.h).
#include <windows.h>

#include <optional>

#include "base/error.h"

#include "standin/com/busy_filter.h"
#include "standin/com/powerlogic_server.h"
#include "standin/com/registration.h"
#include "standin/com/strict_powerlogic_ids.h"
#include "standin/com/strict_powerlogic_server.h"
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
  return standin::showStartFailure(L"Stand-in PowerLogic", text);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const auto args = standin::parseStandinArgs(standin::commandLineWords());
  if (!args)
    return fail(
        "usage: standin-powerlogic [DESIGN] [--autosave FILE] [--fail-after N] [--strict] "
        "[--busy-after N [--busy-for MS]] [--watch NAME [--stop-at N]]");
  win::ComApartment apartment;
  auto host = std::make_shared<standin::MemoryHost>();
  try {
    if (args->design) host->open(standin::loadDesignFile(*args->design));
  } catch (const standin::DesignFileError& e) {
    return fail(e.what());
  }
  auto autosave = [&] {
    if (args->autosave && host->hasDesign())
      standin::saveDesignFile(host->design(), *args->autosave);
  };
  standin::PartListWindow window(
      L"PowerLogic (stand-in)", true,
      {[&](const std::vector<bool>& selected) {
         for (std::size_t i = 0; i < selected.size(); ++i)
           host->setSelected(static_cast<std::int32_t>(i + 1), selected[i]);
       },
       [&] {
         const std::string path = standin::askFile(window.handle(), false);
         if (!path.empty()) host->open(standin::loadDesignFile(path));
       },
       [&] {
         const std::string path = standin::askFile(window.handle(), true);
         if (!path.empty() && host->hasDesign()) standin::saveDesignFile(host->design(), path);
       }});
  host->onRenamed([&](const standin::RenameRecord& rename) {
    window.updatePart(rename.position, host->design().parts[rename.position - 1]);
    autosave();
  });
  auto opened = host->onOpenDocument([&] {
    window.show(host->design());
    autosave();
  });
  if (host->hasDesign())
    window.show(host->design());
  else
    window.show({"(no design)", 1, {}});
  autosave();
  std::optional<standin::CallWatch> watch;
  if (args->watch) {
    watch.emplace(*args->watch, args->stopAt);
    host->onCall(
        [&](std::int64_t number, const char* operation) { watch->onCall(number, operation); });
  }
  if (args->failAfter)
    host->failCall(*args->failAfter + 1,
                   base::Error(0x800706BE, "The remote procedure call failed"), true);

  std::optional<standin::BusyFilter> busy;
  if (args->busyAfter)
    busy.emplace(standin::BusySpell{*args->busyAfter, static_cast<DWORD>(args->busyFor)},
                 [&] { return host->totalCalls(); });
  try {
    if (args->strict)
      standin::serveUntilClosed(standin::serveStrictApplication(host).get(), win::kPowerLogicProgId,
                                standin::kStrictApplicationClsid);
    else
      standin::serveUntilClosed(standin::serveApplication(host).get(), win::kPowerLogicProgId,
                                standin::kStandinPowerLogicClsid);
  } catch (const base::Error& e) {
    return fail(describe(e));
  }
  return 0;
}
