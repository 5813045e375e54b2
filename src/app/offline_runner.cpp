#include "app/offline_runner.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "eco/pcb_link.h"
#include "eco/std_file_system.h"
#include "engine/frm_ren_part.h"
#include "engine/run_record.h"
#include "standin/design_file.h"
#include "standin/memory_host.h"
#include "app/option_values.h"
#include "app/report_view.h"
#include "app/save_dialog.h"
#include "app/start_check.h"

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

struct NoPcb final : eco::PcbConnector {
  std::shared_ptr<eco::PcbApplication> attach() override { throw errors::cannotCreateObject(); }
};

void printRecord(const RunRecord& record, std::ostream& out) {
  for (std::size_t k = 0; k < std::min(record.oldNames.size(), record.newNames.size()); ++k)
    out << record.oldNames[k] << ' ' << record.newNames[k] << '\n';
  if (record.ignored.empty()) return;
  out << "ignored:";
  for (const auto& name : record.ignored) out << ' ' << name;
  out << '\n';
}

void printStats(const standin::MemoryHost& host, std::ostream& err) {
  err << "host calls: " << host.totalCalls() << '\n';
  char order[40];
  std::snprintf(order, sizeof order, "call order: %016llx\n",
                static_cast<unsigned long long>(host.callOrder()));
  err << order;
  for (const auto& [operation, count] : host.callsByOperation())
    err << "  " << operation << ": " << count << '\n';
}

}  // namespace

int runOffline(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto a = parseArguments(args);
  if (!a) {
    err << kUsage;
    return 2;
  }
  OptionValues options;
  options.all = a->all;
  options.selected = a->selected;
  options.assign = a->selected && !a->duplicates;
  options.duplicate = a->duplicates;
  options.start = a->start;
  options.send = a->eco.has_value();
  options.ecoOnly = true;
  options.direct = false;
  if (CheckTextBox(options.start)) {
    err << (a->all ? "Illegal Value" : "Illegal value in Start textbox") << '\n';
    return 2;
  }

  std::shared_ptr<standin::MemoryHost> host;
  try {
    host = std::make_shared<standin::MemoryHost>(standin::loadDesignFile(a->design));
  } catch (const standin::DesignFileError& e) {
    err << e.what() << '\n';
    return 1;
  }

  ProgressValues progress;
  NoReportWindow report;
  FixedSaveDialog dialog;
  dialog.path = a->eco.value_or("");
  eco::StdFileSystem files;
  NoPcb pcb;
  RunRecord record;
  frmRenPart form(Platform{&options, &progress, &report, &dialog, &pcb, &files, nullptr, &record});
  int status = 0;
  try {
    form.powerLogicApp = host;
    form.powerlogicdoc = host->ActiveDocument();
    form.takeComponentList();
    form.tyhjenna();
    host->resetCounts();
    form.StartFrom(a->all ? 0 : 1);
  } catch (const Error& e) {
    err << userMessage(e) << '\n';
    status = 1;
  }
  printRecord(record, out);
  if (a->stats) printStats(*host, err);
  if (a->out) {
    try {
      standin::saveDesignFile(host->design(), *a->out);
    } catch (const standin::DesignFileError& e) {
      err << e.what() << '\n';
      status = 1;
    }
  }
  return status;
}

}  // namespace varnel::ui
