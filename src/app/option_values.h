#pragma once
// Plain option values and a progress bar held in memory: the offline runner
// uses them as its "window", tests use them as fakes.
#include <string>

#include "app/run_options.h"

namespace varnel::ui {

struct OptionValues final : RunOptions {
  std::string start = "1";
  bool all = false, selected = false, assign = false, duplicate = false;
  bool send = false, ecoOnly = false, direct = true;

  std::string txtStart() override { return start; }
  bool optStart() override { return all; }
  bool optSelected() override { return selected; }
  bool optAssign() override { return assign; }
  bool optDuplicate() override { return duplicate; }
  bool chkSend() override { return send; }
  bool optECO() override { return ecoOnly; }
  bool optDirect() override { return direct; }
};

struct ProgressValues final : ProgressDisplay {
  float minimum = 0, maximum = 0, current = 0;
  int repaints = 0;  // how often the value changed

  float min() override { return minimum; }
  float max() override { return maximum; }
  float value() override { return current; }
  void setMin(float v) override { minimum = v; }
  void setMax(float v) override { maximum = v; }
  void setValue(float v) override {
    current = v;
    ++repaints;
  }
};

}  // namespace varnel::ui
