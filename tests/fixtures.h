#pragma once
// Designs written compactly for tests, and an engine wired to fakes.
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/frm_ren_part.h"
#include "fakes.h"
#include "standin/memory_host.h"
#include "app/option_values.h"

namespace varnel::testing {

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
  } catch (const Error& e) {
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

struct Engine {
  std::shared_ptr<standin::MemoryHost> host;
  ui::OptionValues options;
  ui::ProgressValues progress;
  Journal journal;
  FakeReport report;
  FakeSaveDialog dialog;
  FakeFiles files{journal};
  FakePcb pcb{journal, files};
  RunRecord last;
  frmRenPart form{Platform{&options, &progress, &report, &dialog, &pcb, &files, nullptr, &last}};

  explicit Engine(standin::DesignData data)
      : host(std::make_shared<standin::MemoryHost>(std::move(data))) {
    form.powerLogicApp = host;
    form.powerlogicdoc = host->ActiveDocument();
    form.partList = form.chooseComponentList();
    form.tyhjenna();
  }

  std::vector<std::string> names() const { return designators(host->design()); }

  // A run as the Run button starts it; the error it ends with, if any.
  std::optional<Error> run(int mode) {
    options.all = mode == 0;
    options.selected = mode == 1;
    if (mode == 1 && !options.duplicate) options.assign = true;
    try {
      form.StartFrom(static_cast<Int16>(mode));
    } catch (const Error& e) {
      return e;
    }
    return std::nullopt;
  }
};

}  // namespace varnel::testing
