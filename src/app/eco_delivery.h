#pragma once
// The ECO file's way out: a file the user picks, or a file that the running
// PowerPCB reads at once and that is then deleted. Where it goes is settled
// before the first rename (a run whose file could not reach its place
// renames nothing); the file itself is written when the run ends.
#include <functional>
#include <optional>
#include <string>

#include "app/run_request.h"
#include "app/save_dialog.h"
#include "base/file_system.h"
#include "eco/ansi_encoding.h"
#include "eco/change_log.h"
#include "host/automation.h"
#include "host/pcb.h"

namespace varnel::app {

// Where a run's ECO file goes.
struct EcoTarget {
  EcoOutput output = EcoOutput::none;
  std::string path;                     // the chosen file, or the forced-read file
  std::string keptCopy;                 // forced read: a copy of the file written here too
  host::Ref<host::PcbDocument> layout;  // forced read: the layout open in PowerPCB
};

// What a delivery tells the run's journal as it goes, so that a Varnel
// ended during it leaves a journal that says how far it came.
struct DeliveryMarks {
  std::function<void()> pcbReading;  // the file is written; PowerPCB is asked to read it
  std::function<void()> delivered;   // the file is written, or PowerPCB has read it
};

class EcoDelivery {
 public:
  EcoDelivery(app::SaveDialog& saveDialog, host::PcbConnector& pcb, base::FileSystem& files,
              eco::AnsiEncoder& encoder)
      : saveDialog_(saveDialog), pcb_(pcb), files_(files), encoder_(encoder) {}
  EcoDelivery(const EcoDelivery&) = delete;
  EcoDelivery& operator=(const EcoDelivery&) = delete;

  // Asks for the file or reaches PowerPCB, and checks that the file can be
  // written; the design names the file. A forced read keeps a copy of its
  // file at chosenFile, when one is named. Nothing when the user cancelled the
  // save dialog; a refusal when the file could not reach its place. A
  // write-only file chosen already is taken without asking.
  std::optional<EcoTarget> prepare(EcoOutput output, host::Document& design,
                                   const std::string& chosenFile = {});
  // The same for a design known by its name: PowerLogic is not asked.
  std::optional<EcoTarget> prepare(EcoOutput output, const std::string& designName,
                                   const std::string& chosenFile = {});
  // What prepare would check, asking for no file: the forced-read file's
  // place is checked, and what PowerPCB said when it cannot be reached
  // (the plan stands; making it would be refused).
  std::optional<base::Error> rehearse(EcoOutput output, host::Document& design);
  // The refusal of a run whose ECO file could not be written at path.
  void checkTarget(const std::string& path);
  // Writes the file of log where target says; false when there is none.
  // A forced-read file stays until PowerPCB's read returned.
  bool deliver(const EcoTarget& target, const eco::ChangeLog& log, const DeliveryMarks& marks = {});
  // The lead of a run that stopped: how far it came and where its renames are.
  std::string stoppedRunSummary(const eco::ChangeLog& log, std::size_t planned,
                                const EcoTarget& target, bool delivered);
  eco::AnsiEncoder& encoder() { return encoder_; }
  // The files of its machine, which a run by board position reads its
  // placement files from too.
  base::FileSystem& files() { return files_; }

 private:
  using DesignName = std::function<std::string(const std::string& option)>;
  std::optional<EcoTarget> prepareNamed(EcoOutput output, const DesignName& designName,
                                        const std::string& chosenFile);
  std::string forcedReadPath(const DesignName& designName);
  host::Ref<host::PcbDocument> openLayout();
  void forceRead(const EcoTarget& target, const eco::ChangeLog& log, const DeliveryMarks& marks);
  void writeEco(const std::string& path, const eco::ChangeLog& log);
  std::string unsavedRenamesNote(const eco::ChangeLog& log);
  std::string freeListFileName();

  app::SaveDialog& saveDialog_;
  host::PcbConnector& pcb_;
  base::FileSystem& files_;
  eco::AnsiEncoder& encoder_;
};

// What a run with a forced read refuses with when PowerPCB or its layout
// cannot be reached, and what a Preview says of it under its summary.
base::Error layoutMissingRefusal(const base::Error& cause);
std::string layoutMissingNote(const base::Error& cause);

}  // namespace varnel::app
