#pragma once
// The record of the last run (renames and ignored designators), kept when
// the run ends, before its state is reset.
#include <string>
#include <vector>

#include "engine/frm_ren_part.h"
#include "engine/run_observer.h"

namespace varnel {

struct RunRecord final : RunObserver {
  std::vector<std::string> oldNames, newNames, ignored;
  int runs = 0;

  void runEnded(const frmRenPart& form) override {
    ++runs;
    oldNames = form.oldNames;
    newNames = form.newNames;
    ignored.clear();
    for (int i = 0; i < form.ignoredNames.usedCount(); ++i) ignored.push_back(form.ignoredNames[i]);
  }
};

}  // namespace varnel
