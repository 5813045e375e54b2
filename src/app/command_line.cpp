#include "app/command_line.h"

#include "app/ignored_report.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>

#include "app/file_journal.h"
#include "app/journal_marker.h"
#include "app/map_image.h"
#include "app/renumbering_session.h"
#include "app/run_texts.h"
#include "base/png_image.h"
#include "base/std_file_system.h"
#include "eco/windows_1252.h"
#include "host/pcb.h"
#include "model/designator.h"
#include "renumber/numbering_rules_text.h"

namespace varnel::app {

namespace {

constexpr const char* kUsage =
    "usage: varnel-offline DESIGN (--all | --selected [--assign | --duplicates]) "
    "[--start TEXT] [--eco FILE] [--out FILE] [--journal FILE] [--preview] [--stats]\n"
    "       varnel-offline DESIGN --selected ... --map FILE.png   the run's map as a picture\n"
    "       varnel-offline DESIGN --undo JOURNAL [--eco FILE] [--out FILE] [--journal FILE] "
    "[--stats]\n"
    "       varnel-offline DESIGN --recover JOURNAL --finish|--take-back|--leave|--write "
    "[--eco FILE] [--out FILE] [--journal FILE]\n"
    "       varnel-offline DESIGN ... --out FILE --crash-after N   ends right after the Nth "
    "rename\n"
    "       varnel-offline DESIGN ... --eco FILE --out FILE --crash-in-delivery   ends once the "
    "ECO file is written\n"
    "       varnel-offline DESIGN ... [--keep-right] [--lock \"J1-J8 TP* U100\"] [--only \"R C\"] "
    "[--start-for \"R=100 C=200\"]\n"
    "       varnel-offline DESIGN --selected ... [--order columns-first|rows-first] "
    "[--across left-to-right|right-to-left] [--down top-to-bottom|bottom-to-top] [--grid N]\n"
    "       varnel-offline DESIGN (--all | --selected) ... --board FILE [--board-bottom FILE2] "
    "[--bottom-start N] [--bottom-view below|above] [--sides both|top|bottom] [--order ...] "
    "[--grid MM]\n"
    "       varnel-offline --help | --version\n";

constexpr const char* kVarnelUsage =
    "usage: Varnel (--all | --selected [--assign | --duplicates]) [--start TEXT] "
    "[--eco FILE] [--force-read] [--journal FILE] [--preview] [--map FILE.png] [--stats]\n"
    "       Varnel --undo JOURNAL [--eco FILE] [--force-read] [--journal FILE] [--stats]\n"
    "       Varnel --recover JOURNAL --finish|--take-back|--leave|--send|--write "
    "[--eco FILE] [--force-read] [--journal FILE]\n"
    "       Varnel ... [--keep-right] [--lock \"J1-J8 TP* U100\"] [--only \"R C\"] "
    "[--start-for \"R=100 C=200\"]\n"
    "       Varnel --selected ... [--order columns-first|rows-first] "
    "[--across left-to-right|right-to-left] [--down top-to-bottom|bottom-to-top] [--grid N]\n"
    "       Varnel (--all | --selected) ... --board FILE [--board-bottom FILE2] [--bottom-start N] "
    "[--bottom-view below|above] [--sides both|top|bottom] [--order ...] [--grid MM]\n"
    "       Varnel --help | --version\n"
    "Without arguments Varnel opens its window. With them it runs once against the running\n"
    "PowerLogic; --force-read has the running PowerPCB read the ECO file (and keeps a copy at\n"
    "the --eco FILE, if given); --stats prints the\n"
    "round trips made to PowerLogic.\n";

struct Arguments {
  std::string design;
  bool all = false, selected = false, assign = false, duplicates = false, stats = false;
  bool preview = false, help = false, version = false, forceRead = false;
  bool finish = false, takeBack = false, leave = false, send = false, write = false;
  bool crashInDelivery = false;
  std::string start = "1";
  std::optional<std::string> eco, out, journal, undo, map, recover, crashAfter, grid;
  renumber::RulesTexts rules;
};

// The option that takes a value, or null.
std::optional<std::string>* valueOption(Arguments& a, const std::string& arg) {
  if (arg == "--eco") return &a.eco;
  if (arg == "--out") return &a.out;
  if (arg == "--journal") return &a.journal;
  if (arg == "--undo") return &a.undo;
  if (arg == "--map") return &a.map;
  if (arg == "--recover") return &a.recover;
  if (arg == "--crash-after") return &a.crashAfter;
  if (arg == "--grid") return &a.grid;
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
  if (arg == "--force-read") return &a.forceRead;
  if (arg == "--finish") return &a.finish;
  if (arg == "--take-back") return &a.takeBack;
  if (arg == "--leave") return &a.leave;
  if (arg == "--send") return &a.send;
  if (arg == "--write") return &a.write;
  if (arg == "--crash-in-delivery") return &a.crashInDelivery;
  if (arg == "--keep-right") return &a.rules.keepRight;
  return nullptr;
}

// A numbering rule's option that takes a value, or null.
std::string* ruleOption(Arguments& a, const std::string& arg) {
  if (arg == "--lock") return &a.rules.locked;
  if (arg == "--only") return &a.rules.only;
  if (arg == "--start-for") return &a.rules.startFor;
  if (arg == "--order") return &a.rules.order;
  if (arg == "--across") return &a.rules.across;
  if (arg == "--down") return &a.rules.down;
  if (arg == "--board") return &a.rules.boardFile;
  if (arg == "--board-bottom") return &a.rules.bottomFile;
  if (arg == "--bottom-start") return &a.rules.bottomStart;
  if (arg == "--bottom-view") return &a.rules.bottomView;
  if (arg == "--sides") return &a.rules.sides;
  return nullptr;
}

// Reads the words of the command line into a; what is wrong with them, or
// nothing.
std::optional<std::string> readArguments(const std::vector<std::string>& args, Arguments& a) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (bool* flag = flagOption(a, arg)) {
      *flag = true;
    } else if (std::string* rule = ruleOption(a, arg)) {
      if (i + 1 >= args.size()) return arg + " needs a value";
      *rule = args[++i];
      if (arg == "--board") a.rules.byBoard = true;
    } else if (auto* value = valueOption(a, arg); value || arg == "--start") {
      if (i + 1 >= args.size()) return arg + " needs a value";
      (value ? value->emplace() : a.start) = args[++i];
    } else if (arg.rfind("--", 0) == 0) {
      return "unknown option " + arg;
    } else if (!a.design.empty()) {
      return "one design file only: " + arg;
    } else {
      a.design = arg;
    }
  }
  // With --board the grid is the board's, in millimetres.
  if (a.grid) (a.rules.byBoard ? a.rules.boardGrid : a.rules.grid) = *a.grid;
  return std::nullopt;
}

bool placementGiven(const renumber::RulesTexts& texts) {
  const renumber::RulesTexts defaults;
  return texts.order != defaults.order || texts.across != defaults.across ||
         texts.down != defaults.down || texts.grid != defaults.grid;
}

bool boardDetailGiven(const renumber::RulesTexts& texts) {
  const renumber::RulesTexts defaults;
  return texts.bottomFile != defaults.bottomFile || texts.bottomStart != defaults.bottomStart ||
         texts.bottomView != defaults.bottomView || texts.sides != defaults.sides;
}

bool isCount(const std::string& text) {
  return !text.empty() && text.size() < 10 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         std::stol(text) > 0;
}

// --help and --version stand alone.
std::optional<std::string> misuseOfHelp(const Arguments& a, std::size_t words) {
  if (words == 1) return std::nullopt;
  return a.help ? "--help stands alone" : "--version stands alone";
}

// The map, the placement order, the board and the numbering rules, each
// with the runs they go with.
std::optional<std::string> misuseOfNumbering(const Arguments& a) {
  const std::pair<bool, const char*> rules[] = {
      {a.map && !a.selected && !a.rules.byBoard, "--map needs --selected or --board"},
      {!a.selected && !a.rules.byBoard && placementGiven(a.rules),
       "--order, --across, --down and --grid go with --selected or --board"},
      {!a.rules.byBoard && boardDetailGiven(a.rules),
       "--board-bottom, --bottom-start, --bottom-view and --sides need --board"},
      {(a.undo || a.recover) && a.rules != renumber::RulesTexts{},
       "--keep-right, --lock, --only and --start-for go with --all or --selected"}};
  for (const auto& [broken, text] : rules)
    if (broken) return text;
  return std::nullopt;
}

// What the options read ask that the documented forms do not allow; Varnel.exe
// takes no design file (it works on PowerLogic's) nor --out.
std::optional<std::string> misuseOf(const Arguments& a, std::size_t words, bool offline) {
  if (a.help || a.version) return misuseOfHelp(a, words);
  const int modes =
      int(a.all) + int(a.selected) + int(a.undo.has_value()) + int(a.recover.has_value());
  const int choices = int(a.finish) + int(a.takeBack) + int(a.leave) + int(a.send) + int(a.write);
  const std::pair<bool, std::string> rules[] = {
      {offline && a.design.empty(), "a design file is needed"},
      {!offline && !a.design.empty(), "Varnel works on PowerLogic's design, not on " + a.design},
      {modes == 0, "choose --all, --selected, --undo or --recover"},
      {modes > 1, "--all, --selected, --undo and --recover exclude each other"},
      {a.recover && choices != 1,
       "--recover needs one of --finish, --take-back, --leave, --send and --write"},
      {!a.recover && choices > 0,
       "--finish, --take-back, --leave, --send and --write need --recover"},
      {offline && a.send, "--send is for Varnel: varnel-offline has no PowerPCB"},
      {a.write && !a.eco, "--write needs --eco"},
      {!offline && a.crashInDelivery, "--crash-in-delivery is for varnel-offline"},
      {a.crashInDelivery && (!a.out || !a.eco), "--crash-in-delivery needs --eco and --out"},
      {a.recover && a.preview, "--preview does not go with --recover"},
      {!offline && a.crashAfter.has_value(), "--crash-after is for varnel-offline"},
      {a.crashAfter && !a.out, "--crash-after needs --out"},
      {a.crashAfter && !isCount(*a.crashAfter), "--crash-after needs a number of renames"},
      {!offline && a.out.has_value(), "--out is for varnel-offline"},
      {offline && a.forceRead, "--force-read is for Varnel: varnel-offline has no PowerPCB"},
      {!a.selected && a.assign, "--assign needs --selected"},
      {!a.selected && a.duplicates, "--duplicates needs --selected"},
      {a.assign && a.duplicates, "--assign and --duplicates exclude each other"},
      {a.undo && a.preview, "--preview does not go with --undo"}};
  for (const auto& [broken, text] : rules)
    if (broken) return text;
  return misuseOfNumbering(a);
}

// The arguments of a command line of the documented form, or what is wrong.
struct ParsedArguments {
  Arguments arguments;
  std::optional<std::string> problem;
};

ParsedArguments parseArguments(const std::vector<std::string>& args, bool offline) {
  ParsedArguments parsed;
  parsed.problem = readArguments(args, parsed.arguments);
  if (!parsed.problem) parsed.problem = misuseOf(parsed.arguments, args.size(), offline);
  return parsed;
}

// No report window without a screen: the ignored names are printed instead.
struct NoReportWindow final : ReportView {
  bool isOpen() override { return false; }
  std::string text() override { return {}; }
  void show(const std::string&) override {}
};

struct FixedSaveDialog final : SaveDialog {
  std::string path;
  std::string askSavePath(const std::string&, const std::string&) override { return path; }
  void written(const std::string&) override {}
};

struct NoPcb final : host::PcbConnector {
  std::shared_ptr<host::PcbApplication> attach() override {
    throw base::errors::cannotCreateObject();
  }
};

struct FixedHost final : host::HostAttacher {
  std::shared_ptr<host::Application> host;
  std::shared_ptr<host::Application> attach() override { return host; }
};

// "Not on the board: MH1 MH2", when there are any.
void printNames(std::ostream& out, const char* heading, const std::vector<std::string>& names) {
  if (names.empty()) return;
  out << heading << ':';
  for (const std::string& name : names) out << ' ' << name;
  out << '\n';
}

void printOutcome(const app::RunOutcome& outcome, std::ostream& out) {
  out << outcome.log.listing();
  if (!outcome.ignored.empty()) {
    out << "ignored:";
    for (const auto& name : outcome.ignored) out << ' ' << name;
    out << '\n';
  }
  for (const renumber::Unnamable& component : outcome.unnamable)
    out << "left alone: " << unnamableNote(component) << '\n';
  printNames(out, kNotOnBoard, outcome.notOnBoard);
  printNames(out, kOnlyOnBoard, outcome.onlyOnBoard);
}

// The run, its preview or its undo, as the command line asks.
app::RunOutcome runAsAsked(const Arguments& a, const app::RunRequest& request,
                           app::RenumberingSession& session, app::EcoDelivery& delivery) {
  if (!a.preview) return session.run(request);
  app::RunOutcome outcome = session.preview(request);
  if (!outcome.error && a.eco) delivery.checkTarget(*a.eco);
  return outcome;
}

// The map of the planned run as a PNG; a refused run draws nothing (the run
// that follows says why).
void writeMap(app::RenumberingSession& session, const app::RunRequest& request,
              const std::string& path, base::FileSystem& files) {
  const app::PlannedRun planned = session.plan(request);
  if (planned.error) return;
  const app::Preview preview = app::previewOf(planned.design, planned.plan, "Preview",
                                              &request.renumbering()->settings.rules,
                                              planned.board ? &*planned.board : nullptr);
  constexpr int kWidth = 800, kHeight = 600;
  files.replaceFile(path,
                    base::encodePng(kWidth, kHeight, app::mapPixels(preview.map, kWidth, kHeight)));
}

// Help, version, or the settings of a well-formed command line; the exit
// status when there is nothing to run.
std::optional<int> answerWithoutRun(const ParsedArguments& parsed, const char* usage,
                                    const char* program, std::ostream& out, std::ostream& err) {
  if (parsed.problem) {
    err << *parsed.problem << '\n' << usage;
    return 2;
  }
  const Arguments* a = &parsed.arguments;
  if (a->help || a->version) {
    if (a->help)
      out << usage;
    else
      out << program << " " VARNEL_VERSION "\n";
    return 0;
  }
  if (!a->undo && !a->recover && !model::designator::isLegalStartText(a->start)) {
    err << illegalStartText(a->all, a->start) << '\n';
    return 2;
  }
  try {
    renumber::parseRules(a->rules);
  } catch (const base::Error& e) {
    err << e.text() << '\n';
    return 2;
  }
  return std::nullopt;
}

renumber::RunSettings settingsOf(const Arguments& a) {
  renumber::RunSettings settings;
  settings.scope =
      a.selected ? renumber::RunScope::selectedComponents : renumber::RunScope::allComponents;
  settings.conflictRule = a.duplicates ? renumber::ConflictRule::renameDuplicates
                                       : renumber::ConflictRule::assignNextFree;
  settings.start = a.undo ? 1 : *model::designator::parseStartNumber(a.start);
  settings.rules = renumber::parseRules(a.rules);
  return settings;
}

app::EcoOutput ecoOf(const Arguments& a) {
  return a.forceRead ? app::EcoOutput::forceReadInPcb
         : a.eco     ? app::EcoOutput::writeOnly
                     : app::EcoOutput::none;
}

Recovery recoveryOf(const Arguments& a) {
  return a.finish     ? Recovery::finish
         : a.takeBack ? Recovery::takeBack
         : a.send     ? Recovery::send
         : a.write    ? Recovery::write
                      : Recovery::leave;
}

// The command line's ECO file is the one the choice writes, as for any run;
// PowerPCB never reads the one of a take-back, since the layout never
// followed the renames it takes back.
app::RunRequest recoveryRequest(const Arguments& a, base::FileSystem& files) {
  app::RunRequest request =
      app::recovering(app::parseJournal(files.readFile(*a.recover)), *a.recover, recoveryOf(a));
  // The file --eco names is the one written, or a copy of the one PowerPCB
  // reads; a run whose ECO file alone is missing keeps the target its
  // choice gives it.
  request.ecoFile = a.eco.value_or("");
  if (request.closesDelivery()) return request;
  const bool written =
      a.eco && (!a.forceRead || request.recovery()->choice == app::Recovery::takeBack);
  request.eco = written ? app::EcoOutput::writeOnly : ecoOf(a);
  return request;
}

app::RunRequest requestOf(const Arguments& a, base::FileSystem& files) {
  if (a.recover) return recoveryRequest(a, files);
  app::RunRequest request =
      a.undo ? app::takingBack(app::parseJournal(files.readFile(*a.undo)), *a.undo, ecoOf(a))
             : app::renumbering(settingsOf(a), ecoOf(a));
  // A forced read keeps a copy of its file where --eco says (a file written
  // only is the one the save dialog answers with).
  if (a.forceRead) request.ecoFile = a.eco.value_or("");
  return request;
}

// Attaches to PowerLogic; a PowerLogic that is not running is said first,
// in words, before the system's text.
void attach(app::PowerLogicLink& link) {
  try {
    link.attach([](host::HostEvent) {});
  } catch (const base::Error& e) {
    if (e.number() != base::errors::kCannotCreateObject) throw;
    throw e.withLead(app::kNotRunningOnCommandLine);
  }
}

// Runs as asked with a session built over attacher and pcb, prints the log
// and the error, and returns the run's outcome.
app::RunOutcome runWith(const Arguments& a, host::HostAttacher& attacher, host::PcbConnector& pcb,
                        app::JournalStore& defaultJournals, CallCounter& calls,
                        base::FileSystem& files, std::ostream& out, std::ostream& err) {
  ProgressValues progress;
  NoReportWindow report;
  FixedSaveDialog dialog;
  dialog.path = a.eco.value_or("");
  eco::Windows1252Encoder encoder;
  app::FileJournal chosen(a.journal.value_or(""));
  app::JournalMarker marker;
  app::JournalStore& journals = a.preview   ? static_cast<app::JournalStore&>(marker)
                                : a.journal ? static_cast<app::JournalStore&>(chosen)
                                            : defaultJournals;
  app::EcoDelivery delivery(dialog, pcb, files, encoder);
  app::PowerLogicLink link(attacher);
  app::RenumberingSession session(link, progress, report, delivery, journals);
  app::RunOutcome outcome;
  try {
    attach(link);
    calls.resetCounts();
    if (a.map) writeMap(session, app::renumbering(settingsOf(a), ecoOf(a)), *a.map, files);
    outcome = runAsAsked(a, requestOf(a, files), session, delivery);
  } catch (const base::Error& e) {
    outcome.error = e;
  }
  if (outcome.error) err << base::userMessage(*outcome.error) << '\n';
  printOutcome(outcome, out);
  if (!outcome.error && !outcome.cancelled && outcome.log.empty())
    err << app::kNothingToRename << '\n';
  return outcome;
}

// These files end the process as soon as the ECO file is written
// (--crash-in-delivery), so that it leaves what a Varnel ended during the
// delivery leaves.
class EndingOnceEcoWritten final : public base::FileSystem {
 public:
  EndingOnceEcoWritten(std::string ecoFile, std::string designFile, OfflineDesigns& designs)
      : ecoFile_(std::move(ecoFile)), designFile_(std::move(designFile)), designs_(designs) {}
  void replaceFile(const std::string& path, const std::string& content) override {
    files_.replaceFile(path, content);
    if (path == ecoFile_) designs_.endNow(designFile_);
  }
  void checkWritable(const std::string& path) override { files_.checkWritable(path); }
  bool exists(const std::string& path) override { return files_.exists(path); }
  std::string readFile(const std::string& path) override { return files_.readFile(path); }
  std::string lastWrittenDate(const std::string& path) override {
    return files_.lastWrittenDate(path);
  }
  void deleteFile(const std::string& path) override { files_.deleteFile(path); }
  std::string tempFolder() override { return files_.tempFolder(); }

 private:
  base::StdFileSystem files_;
  std::string ecoFile_, designFile_;
  OfflineDesigns& designs_;
};

// The design saved to --out, if asked; false when it could not be. A
// refused run leaves the design as it was: there is nothing to write.
bool savedAsAsked(const Arguments& a, const app::RunOutcome& outcome, OfflineDesigns& designs,
                  std::ostream& err) {
  if (!a.out || a.preview || (!outcome.applied && outcome.error)) return true;
  try {
    designs.save(*a.out);
    return true;
  } catch (const std::runtime_error& e) {
    err << e.what() << '\n';
    return false;
  }
}

int exitStatus(const app::RunOutcome& outcome) {
  return outcome.error ? 1 : 0;
}

}  // namespace

int runOffline(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               OfflineDesigns& designs) {
  const auto parsed = parseArguments(args, /*offline=*/true);
  if (const auto status = answerWithoutRun(parsed, kUsage, "varnel-offline", out, err))
    return *status;
  const Arguments* a = &parsed.arguments;
  FixedHost attacher;
  try {
    attacher.host = designs.open(a->design);
  } catch (const base::Error& e) {
    err << userMessage(e) << '\n';
    return 1;
  } catch (const std::runtime_error& e) {
    err << e.what() << '\n';
    return 1;
  }
  if (a->crashAfter) designs.endAfterRename(std::stol(*a->crashAfter), *a->out);
  NoPcb pcb;
  app::JournalMarker marker;
  base::StdFileSystem plainFiles;
  std::optional<EndingOnceEcoWritten> endingFiles;
  if (a->crashInDelivery) endingFiles.emplace(*a->eco, *a->out, designs);
  base::FileSystem& files = endingFiles ? static_cast<base::FileSystem&>(*endingFiles) : plainFiles;
  const app::RunOutcome outcome = runWith(*a, attacher, pcb, marker, designs, files, out, err);
  int status = exitStatus(outcome);
  if (a->stats) err << designs.callStatistics();
  if (!savedAsAsked(*a, outcome, designs, err)) status = 1;
  return status;
}

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   host::HostAttacher& attacher, host::PcbConnector& pcb,
                   app::JournalStore& journals, CallCounter& calls) {
  const auto parsed = parseArguments(args, /*offline=*/false);
  if (const auto status = answerWithoutRun(parsed, kVarnelUsage, "Varnel", out, err))
    return *status;
  const Arguments* a = &parsed.arguments;
  base::StdFileSystem files;
  const int status = exitStatus(runWith(*a, attacher, pcb, journals, calls, files, out, err));
  if (a->stats) err << calls.callStatistics();
  return status;
}

}  // namespace varnel::app
