#pragma once
// What a run is asked to do, the one value Run, Preview, Undo and the
// command line hand the session: renumber with the settings chosen, or take
// back the run of a journal; and where the run's ECO file goes.
#include <optional>
#include <string>

#include "app/eco_output.h"
#include "app/journal.h"
#include "renumber/run_settings.h"

namespace varnel::app {

// How a run that Varnel's end cut off is closed: in mid-run (finish, take
// back, leave), or once its renames were made but not their ECO file (send
// it to PowerPCB, write it to a file, leave the layout as it is).
enum class Recovery { finish, takeBack, leave, send, write };

struct RunRequest {
  RunSettings settings;             // a renumbering's
  std::optional<Journal> takeBack;  // an undo or a recovery: the journal of that run
  std::string journalPath;          // and that journal's file
  EcoOutput eco = EcoOutput::none;
  std::optional<Recovery> recovery;  // closing the cut-off run of takeBack
  std::string ecoFile;               // a write-only file named beforehand: no dialog

  bool isUndo() const { return takeBack && (!recovery || *recovery == Recovery::takeBack); }
  bool isRecovery() const { return recovery.has_value(); }
  // Closing a run whose renames were all made: only its ECO file is at stake.
  bool closesDelivery() const { return recovery && takeBack->undelivered(); }
};

inline RunRequest renumbering(const RunSettings& settings, EcoOutput eco) {
  RunRequest request;
  request.settings = settings;
  request.eco = eco;
  return request;
}

inline RunRequest takingBack(Journal journal, std::string journalPath, EcoOutput eco) {
  RunRequest request;
  request.takeBack = std::move(journal);
  request.journalPath = std::move(journalPath);
  request.eco = eco;
  return request;
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
std::optional<Error> unfitRecovery(const Journal& journal, const std::string& journalPath,
                                   Recovery choice);

// The request as the command line's options: "--selected --assign --start
// 1 --eco force-read", "--undo JOURNAL" or "--recover JOURNAL --leave". The
// journal's settings record says it.
std::string requestText(const RunRequest& request);

}  // namespace varnel::app
