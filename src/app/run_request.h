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

struct RunRequest {
  RunSettings settings;             // a renumbering's
  std::optional<Journal> takeBack;  // an undo: the journal of the run it takes back
  std::string journalPath;          // and that journal's file
  EcoOutput eco = EcoOutput::none;

  bool isUndo() const { return takeBack.has_value(); }
};

inline RunRequest renumbering(const RunSettings& settings, EcoOutput eco) {
  return {settings, std::nullopt, {}, eco};
}

inline RunRequest takingBack(Journal journal, std::string journalPath, EcoOutput eco) {
  return {RunSettings{}, std::move(journal), std::move(journalPath), eco};
}

// The request as the command line's options: "--selected --assign --start
// 1 --eco force-read", or "--undo JOURNAL". The journal's header says it.
std::string requestText(const RunRequest& request);

}  // namespace varnel::app
