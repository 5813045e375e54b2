#pragma once
// What a run is asked to do, the one value Run, Preview, Undo and the
// command line hand the session: renumber with the settings chosen, take
// back the run of a journal, or close the run of a journal that Varnel's
// end cut off; and where the run's ECO file goes.
#include <optional>
#include <string>
#include <variant>

#include "app/eco_output.h"
#include "app/journal.h"
#include "renumber/run_settings.h"

namespace varnel::app {

// How a run that Varnel's end cut off is closed: in mid-run (finish, take
// back, leave), or once its renames were made but not their ECO file (send
// it to PowerPCB, write it to a file, leave the layout as it is).
enum class Recovery { finish, takeBack, leave, send, write };

// A run renumbering the design with the settings chosen.
struct Renumbering {
  renumber::RunSettings settings;
};

// The run a journal records, and the journal's file.
struct JournalRun {
  Journal journal;
  std::string path;
};

// An undo: the run of the journal taken back.
struct TakingBack {
  JournalRun run;
};

// The cut-off run of the journal closed as the user chose.
struct Recovering {
  JournalRun run;
  Recovery choice;
  // Its renames were all made: only its ECO file is at stake.
  bool closesDelivery() const { return run.journal.undelivered(); }
};

struct RunRequest {
  std::variant<Renumbering, TakingBack, Recovering> kind;
  EcoOutput eco = EcoOutput::none;
  std::string ecoFile;  // a write-only file named beforehand: no dialog

  const Renumbering* renumbering() const { return std::get_if<Renumbering>(&kind); }
  Renumbering* renumbering() { return std::get_if<Renumbering>(&kind); }
  const TakingBack* undo() const { return std::get_if<TakingBack>(&kind); }
  const Recovering* recovery() const { return std::get_if<Recovering>(&kind); }
  // The run of the journal an undo or a recovery works on; none for a renumbering.
  const JournalRun* journalRun() const;
  // True when the renames made take a run back: an undo, or a recovery
  // that takes its cut-off run back.
  bool takesBack() const;
  // Of a recovery, true when the renames of the run were all made.
  bool closesDelivery() const { return recovery() && recovery()->closesDelivery(); }
};

inline RunRequest renumbering(const renumber::RunSettings& settings, EcoOutput eco) {
  return RunRequest{Renumbering{settings}, eco, {}};
}

inline RunRequest takingBack(Journal journal, std::string journalPath, EcoOutput eco) {
  return RunRequest{TakingBack{{std::move(journal), std::move(journalPath)}}, eco, {}};
}

// Closes the cut-off run of journal as chosen. Finish and Leave write their
// ECO file where that run asked; Take it back writes none, since the run's
// own never reached the layout. Of a run whose ECO file alone is missing,
// Send has PowerPCB read it, Write writes it (to the run's own file, or one
// the user picks), Leave writes none.
RunRequest recovering(Journal journal, std::string journalPath, Recovery choice);

// "finish", "take-back", "leave", "send" or "write": the journal's word and
// the command line's.
const char* recoveryWord(Recovery choice);

// The refusal of a choice that does not fit the journal's run: one closed
// already, Send or Write for a run cut off in mid-run, Finish or Take it
// back for one whose renames were all made; nothing when it fits.
std::optional<base::Error> unfitRecovery(const Journal& journal, const std::string& journalPath,
                                         Recovery choice);

// The request as the command line's options: "--selected --assign --start
// 1 --eco force-read", "--undo JOURNAL" or "--recover JOURNAL --leave". The
// journal's settings record says it.
std::string requestText(const RunRequest& request);

}  // namespace varnel::app
