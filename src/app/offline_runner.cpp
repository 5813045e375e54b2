#include "app/offline_runner.h"

#include <memory>
#include <optional>

#include "app/main_window_presenter.h"
#include "app/renumbering_session.h"
#include "eco/ansi_encoding.h"
#include "eco/std_file_system.h"
#include "host/pcb.h"
#include "model/designator.h"

namespace varnel::ui {

namespace {

constexpr const char* kUsage =
    "usage: varnel-offline DESIGN (--all | --selected [--assign | --duplicates]) "
    "[--start TEXT] [--eco FILE] [--out FILE] [--stats]\n";

struct Arguments {
  std::string design;
  bool all = false, selected = false, assign = false, duplicates = false, stats = false;
  std::string start = "1";
  std::optional<std::string> eco, out;
};

// Nothing when the command line is not of the documented form.
std::optional<Arguments> parseArguments(const std::vector<std::string>& args) {
  Arguments a;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (arg == "--all")
      a.all = true;
    else if (arg == "--selected")
      a.selected = true;
    else if (arg == "--assign")
      a.assign = true;
    else if (arg == "--duplicates")
      a.duplicates = true;
    else if (arg == "--stats")
      a.stats = true;
    else if (arg == "--start" || arg == "--eco" || arg == "--out") {
      auto v = value();
      if (!v) return std::nullopt;
      (arg == "--start" ? a.start : arg == "--eco" ? a.eco.emplace() : a.out.emplace()) = *v;
    } else if (arg.rfind("--", 0) == 0 || !a.design.empty())
      return std::nullopt;
    else
      a.design = arg;
  }
  if (a.design.empty() || a.all == a.selected) return std::nullopt;
  if (a.all && (a.assign || a.duplicates)) return std::nullopt;
  if (a.assign && a.duplicates) return std::nullopt;
  return a;
}

// No report window without a screen: the ignored names are printed instead.
struct NoReportWindow final : ReportView {
  bool isOpen() override { return false; }
  std::string text() override { return {}; }
  void show(const std::string&) override {}
};

struct FixedSaveDialog final : SaveDialog {
  std::string path;
  std::string askSavePath(const std::string&) override { return path; }
};

struct NoPcb final : host::PcbConnector {
  std::shared_ptr<host::PcbApplication> attach() override { throw errors::cannotCreateObject(); }
};

struct FixedHost final : host::HostAttacher {
  std::shared_ptr<host::Application> host;
  std::shared_ptr<host::Application> attach() override { return host; }
};

void printOutcome(const app::RunOutcome& outcome, std::ostream& out) {
  out << outcome.log.listing();
  if (outcome.ignored.empty()) return;
  out << "ignored:";
  for (const auto& name : outcome.ignored) out << ' ' << name;
  out << '\n';
}

}  // namespace

int runOffline(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               OfflineDesigns& designs) {
  const auto a = parseArguments(args);
  if (!a) {
    err << kUsage;
    return 2;
  }
  if (!app::isLegalStartText(a->start)) {
    err << (a->all ? "Illegal Value" : "Illegal value in Start textbox") << '\n';
    return 2;
  }
  RunSettings settings;
  settings.scope = a->all ? Scope::allComponents : Scope::selectedComponents;
  settings.conflictRule =
      a->duplicates ? ConflictRule::renameDuplicates : ConflictRule::assignNextFree;
  settings.start = *designator::parseStartNumber(a->start);
  settings.eco = a->eco ? EcoOutput::writeOnly : EcoOutput::none;

  FixedHost attacher;
  try {
    attacher.host = designs.open(a->design);
  } catch (const std::runtime_error& e) {
    err << e.what() << '\n';
    return 1;
  }

  ProgressValues progress;
  NoReportWindow report;
  FixedSaveDialog dialog;
  dialog.path = a->eco.value_or("");
  NoPcb pcb;
  eco::StdFileSystem files;
  eco::Windows1252Encoder encoder;
  app::RenumberingSession session(attacher, progress, report, dialog, pcb, files, encoder);
  int status = 0;
  app::RunOutcome outcome;
  try {
    session.attach([] {});
    designs.resetCounts();
    outcome = session.run(settings);
  } catch (const Error& e) {
    outcome.error = e;
  }
  if (outcome.error) {
    err << userMessage(*outcome.error) << '\n';
    status = 1;
  }
  printOutcome(outcome, out);
  if (a->stats) err << designs.callStatistics();
  if (a->out) {
    try {
      designs.save(*a->out);
    } catch (const std::runtime_error& e) {
      err << e.what() << '\n';
      status = 1;
    }
  }
  return status;
}

}  // namespace varnel::ui
