#include "app/offline_runner.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "app/file_journals.h"
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
    "[--start TEXT] [--eco FILE] [--out FILE] [--journal FILE] [--preview] [--stats]\n"
    "       varnel-offline DESIGN --undo JOURNAL [--eco FILE] [--out FILE] [--journal FILE] "
    "[--stats]\n"
    "       varnel-offline --help | --version\n";

struct Arguments {
  std::string design;
  bool all = false, selected = false, assign = false, duplicates = false, stats = false;
  bool preview = false, help = false, version = false;
  std::string start = "1";
  std::optional<std::string> eco, out, journal, undo;
};

// The option that takes a value, or null.
std::optional<std::string>* valueOption(Arguments& a, const std::string& arg) {
  if (arg == "--eco") return &a.eco;
  if (arg == "--out") return &a.out;
  if (arg == "--journal") return &a.journal;
  if (arg == "--undo") return &a.undo;
  return nullptr;
}

bool* flagOption(Arguments& a, const std::string& arg) {
  if (arg == "--all") return &a.all;
  if (arg == "--selected") return &a.selected;
  if (arg == "--assign") return &a.assign;
  if (arg == "--duplicates") return &a.duplicates;
  if (arg == "--stats") return &a.stats;
  if (arg == "--preview") return &a.preview;
  if (arg == "--help") return &a.help;
  if (arg == "--version") return &a.version;
  return nullptr;
}

// Nothing when the command line is not of the documented form.
std::optional<Arguments> parseArguments(const std::vector<std::string>& args) {
  Arguments a;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (bool* flag = flagOption(a, arg)) {
      *flag = true;
    } else if (auto* value = valueOption(a, arg); value || arg == "--start") {
      if (i + 1 >= args.size()) return std::nullopt;
      (value ? value->emplace() : a.start) = args[++i];
    } else if (arg.rfind("--", 0) == 0 || !a.design.empty()) {
      return std::nullopt;
    } else {
      a.design = arg;
    }
  }
  if (a.help || a.version) return args.size() == 1 ? std::optional(a) : std::nullopt;
  const int modes = int(a.all) + int(a.selected) + int(a.undo.has_value());
  if (a.design.empty() || modes != 1) return std::nullopt;
  if (!a.selected && (a.assign || a.duplicates)) return std::nullopt;
  if (a.assign && a.duplicates) return std::nullopt;
  if (a.undo && a.preview) return std::nullopt;
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

// The run, its preview or its undo, as the command line asks.
app::RunOutcome runAsAsked(const Arguments& a, const RunSettings& settings,
                           app::RenumberingSession& session, OfflineDesigns& designs) {
  session.attach([] {});
  designs.resetCounts();
  if (a.preview) {
    app::RunOutcome outcome = session.preview(settings);
    if (!outcome.error && a.eco) session.checkEcoTarget(*a.eco);
    return outcome;
  }
  if (!a.undo) return session.run(settings);
  std::ifstream in(std::filesystem::path(std::u8string(a.undo->begin(), a.undo->end())),
                   std::ios::binary);
  if (!in) throw Error(53, "File not found: " + *a.undo);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return session.undo(app::parseJournal(text), *a.undo, settings);
}

int runOffline(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               OfflineDesigns& designs) {
  const auto a = parseArguments(args);
  if (!a) {
    err << kUsage;
    return 2;
  }
  if (a->help || a->version) {
    out << (a->help ? kUsage : "varnel-offline " VARNEL_VERSION "\n");
    return 0;
  }
  if (!a->undo && !app::isLegalStartText(a->start)) {
    err << (a->all ? "Illegal Value" : "Illegal value in Start textbox") << '\n';
    return 2;
  }
  RunSettings settings;
  settings.scope = a->selected ? Scope::selectedComponents : Scope::allComponents;
  settings.conflictRule =
      a->duplicates ? ConflictRule::renameDuplicates : ConflictRule::assignNextFree;
  settings.start = a->undo ? 1 : *designator::parseStartNumber(a->start);
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
  app::FileJournal journal(a->journal.value_or(""));
  app::JournalMarker marker;
  app::JournalStore& journals =
      a->journal && !a->preview ? static_cast<app::JournalStore&>(journal) : marker;
  app::RenumberingSession session(attacher, progress, report, dialog, pcb, files, encoder,
                                  journals);
  int status = 0;
  app::RunOutcome outcome;
  try {
    outcome = runAsAsked(*a, settings, session, designs);
  } catch (const Error& e) {
    outcome.error = e;
  }
  if (outcome.error) {
    err << userMessage(*outcome.error) << '\n';
    status = 1;
  }
  printOutcome(outcome, out);
  if (a->stats) err << designs.callStatistics();
  if (a->out && !a->preview) {
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
