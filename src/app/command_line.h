#pragma once
// The command line, of varnel-offline and of Varnel.exe alike. varnel-offline
// makes a run on a design file through a PowerLogic in memory:
//   varnel-offline DESIGN (--all | --selected [--assign | --duplicates])
//                  [--start TEXT] [--eco FILE] [--out FILE] [--journal FILE]
//                  [--preview] [--stats]
//   varnel-offline DESIGN --undo JOURNAL [--eco FILE] [--out FILE] [--journal FILE]
//   varnel-offline DESIGN --recover JOURNAL --finish|--take-back|--leave
//                  [--eco FILE] [--out FILE] [--journal FILE]
// --crash-after N (with --out) ends the process right after the Nth rename,
// the design saved to --out: what a run cut off by Varnel's end leaves.
// --crash-in-delivery (with --eco and --out) ends it once the ECO file is
// written, before the journal says it was delivered.
//   varnel-offline --help | --version        (to stdout, exit 0)
// --stats prints the host calls of the run on standard error.
// --preview prints what the run would print and writes no file.
// Exit status: 0 after a completed run; 1 when the design cannot be read or
// the run is refused or fails; 2 for a bad command line or start number; 3
// after --crash-after.
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/journal.h"
#include "app/journal_store.h"
#include "host/automation.h"
#include "host/pcb.h"

namespace varnel::app {

// What --stats prints: the calls made to PowerLogic since the last reset
// (the runner resets once attached, so the run's own calls are counted).
class CallCounter {
 public:
  virtual ~CallCounter() = default;
  virtual void resetCounts() = 0;
  virtual std::string callStatistics() = 0;
};

// The design files and the PowerLogic in memory that the runner works on;
// its main gives them.
class OfflineDesigns : public CallCounter {
 public:
  // PowerLogic holding the design of the file; throws Error 53 when the file
  // cannot be opened, std::runtime_error naming the file, the line and what
  // was wrong when it cannot be parsed.
  virtual std::shared_ptr<host::Application> open(const std::string& designFile) = 0;
  // The design as it is now, into a file; throws std::runtime_error.
  virtual void save(const std::string& designFile) = 0;
  // Right after the design's renameth rename is made (before Varnel can
  // note it), saves the design to designFile and ends the process at once
  // with status 3, as if Varnel had been killed while PowerLogic lived on.
  virtual void endAfterRename(long rename, const std::string& designFile) = 0;
  // Saves the design to designFile and ends the process at once with
  // status 3: Varnel killed during the delivery of the ECO file.
  [[noreturn]] virtual void endNow(const std::string& designFile) = 0;
};

int runOffline(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               OfflineDesigns& designs);

// Varnel.exe with arguments: one run against the running PowerLogic, with
// the command line's options (no design file or --out; and --force-read
// with --eco), its output and its exit statuses; --stats prints what calls
// counts. Runs that rename keep their journal in journals unless --journal
// names one.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   host::HostAttacher& attacher, host::PcbConnector& pcb,
                   app::JournalStore& journals, CallCounter& calls);

}  // namespace varnel::app
