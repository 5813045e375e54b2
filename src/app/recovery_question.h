#pragma once
// What the box that closes a cut-off run says: what the run was, how far it
// came, and what each of the three choices would do.
#include <array>
#include <cstddef>
#include <string>

#include "app/journal.h"
#include "app/run_request.h"

namespace varnel::app {

// A button of the box: what it chooses, and its caption with its access key
// marked by '&'.
struct RecoveryChoice {
  Recovery recovery;
  std::string caption;
};

struct RecoveryQuestion {
  std::string title = "Varnel: a run was cut off";
  std::string text;
  bool canFinish = true;  // the journal holds the run's whole plan
  // The box shows the three choices in this order.
  std::array<RecoveryChoice, 3> choices{RecoveryChoice{Recovery::finish, "&Finish the run"},
                                        RecoveryChoice{Recovery::takeBack, "&Take it back"},
                                        RecoveryChoice{Recovery::leave, "&Leave it as it is"}};
};

// made: how many of its planned renames the design shows made. A journal
// whose renames were all made and whose ECO file alone is missing asks
// whether to send it, write it or leave the layout as it is.
RecoveryQuestion recoveryQuestion(const Journal& journal, std::size_t made);

}  // namespace varnel::app
