#pragma once
// What the box that closes a cut-off run says: what the run was, how far it
// came, and what each of the three choices would do.
#include <cstddef>
#include <string>

#include "app/journal.h"

namespace varnel::app {

struct RecoveryQuestion {
  std::string text;
  bool canFinish = true;  // the journal holds the run's whole plan
};

// made: how many of its planned renames the design shows made.
RecoveryQuestion recoveryQuestion(const Journal& journal, std::size_t made);

}  // namespace varnel::app
