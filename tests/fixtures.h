#pragma once
// Designs written compactly for tests, and an engine wired to fakes.
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/renumbering_session.h"
#include "eco/windows_1252.h"
#include "fake_view.h"
#include "fakes.h"
#include "model/designator.h"
#include "standin/memory_host.h"

namespace varnel::tests {

// "R1 R2* C1@100,200*": designators in list order; '*' marks a selected one,
// "@X,Y" gives its placement (default: X = 10 times its list position, Y 0).
inline standin::DesignData design(const std::string& parts, std::int32_t scopes = 1) {
  standin::DesignData data{"test.sch", scopes, {}};
  std::istringstream words(parts);
  std::string word;
  while (words >> word) {
    standin::PartData part;
    if (word.back() == '*') {
      part.selected = true;
      word.pop_back();
    }
    part.x = 10.0 * (static_cast<double>(data.parts.size()) + 1);
    if (auto at = word.find('@'); at != std::string::npos) {
      const auto comma = word.find(',', at);
      part.x = std::stod(word.substr(at + 1, comma - at - 1));
      part.y = std::stod(word.substr(comma + 1));
      word.erase(at);
    }
    part.designator = word == "\"\"" ? "" : word;
    data.parts.push_back(part);
  }
  return data;
}

inline std::vector<std::string> designators(const standin::DesignData& data) {
  std::vector<std::string> names;
  for (const auto& part : data.parts) names.push_back(part.designator);
  return names;
}

// The number of the error action throws, or 0 when it throws none.
inline std::int64_t failureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const base::Error& e) {
    return e.number();
  }
  return 0;
}

inline std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

// The window's options as a test sets them; read into the run's settings.
struct OptionValues {
  std::string start = "1";
  bool all = false, selected = false, assign = false, duplicate = false;
  bool send = false, ecoOnly = false, direct = true;
  renumber::NumberingRules rules;

  renumber::RunSettings settings() const {
    renumber::RunSettings s;
    s.scope = selected ? renumber::RunScope::selectedComponents : renumber::RunScope::allComponents;
    s.conflictRule = duplicate ? renumber::ConflictRule::renameDuplicates
                               : renumber::ConflictRule::assignNextFree;
    s.start = model::designator::parseStartNumber(start).value();
    s.rules = rules;
    return s;
  }
  app::EcoOutput eco() const {
    if (!send) return app::EcoOutput::none;
    return ecoOnly  ? app::EcoOutput::writeOnly
           : direct ? app::EcoOutput::forceReadInPcb
                    : app::EcoOutput::none;
  }
  app::RunRequest request() const { return app::renumbering(settings(), eco()); }
};

inline RunRecord recordOf(const app::RunOutcome& outcome) {
  RunRecord record;
  for (const model::Rename& rename : outcome.log.entries()) {
    record.oldNames.push_back(rename.from);
    record.newNames.push_back(rename.to);
  }
  record.ignored = outcome.ignored;
  return record;
}

// What a session reaches besides its progress display, all faked; the
// attacher gives the in-memory PowerLogic a test puts in it.
struct SessionFakes {
  CallLog journal;  // the calls made, in order
  FakeReport report;
  FakeSaveDialog dialog;
  FakeFiles files{journal};
  FakePcb pcb{journal, files};
  FakeAttacher attacher;
  eco::Windows1252Encoder encoder;
  FakeJournals journals;
  FakeActivity activity;
  app::EcoDelivery delivery{dialog, pcb, files, encoder};
};

// A session the attacher gives the in-memory host, its progress in memory.
struct HostedSession : SessionFakes {
  std::shared_ptr<standin::MemoryHost> host;
  app::ProgressValues progress;
  app::PowerLogicLink link{attacher};
  app::RenumberingSession session{link, progress, report, delivery, journals, activity};

  explicit HostedSession(std::shared_ptr<standin::MemoryHost> h) : host(std::move(h)) {
    attacher.app = host;
  }
};

// A session over the in-memory host, attached, with fakes for everything else.
struct Engine : HostedSession {
  OptionValues options;
  RunRecord last;
  app::RunOutcome outcome;

  explicit Engine(standin::DesignData data)
      : HostedSession(std::make_shared<standin::MemoryHost>(std::move(data))) {
    link.attach([](host::HostEvent) {});
  }

  std::vector<std::string> names() const { return designators(host->design()); }

  // A run as the Run button starts it; the error it ends with, if any.
  std::optional<base::Error> runAll() { return run(false); }
  std::optional<base::Error> runSelected() { return run(true); }
  // For tests that sweep both modes.
  std::optional<base::Error> run(bool selected) {
    options.all = !selected;
    options.selected = selected;
    if (selected && !options.duplicate) options.assign = true;
    outcome = session.run(options.request());
    if (outcome.applied) {
      const int runs = last.runs;
      last = recordOf(outcome);
      last.runs = runs + 1;
    }
    return outcome.error;
  }
};

}  // namespace varnel::tests
