#pragma once
// A journal's run as the user reads it: when it started, in local time, and
// its settings in the window's words rather than the command line's.
#include <string>

#include "app/journal.h"

namespace varnel::app {

// "2026-12-07T16:05:09Z" as "2026-12-07 17:05" in the machine's time zone;
// a text that is no such time stays as it is.
std::string localTime(const std::string& utcStamp);

// Now in the machine's time zone, "17:05:09".
std::string timeOfDayNow();

// "--all --start 1 --eco force-read" as "Rename all components, start 1,
// write and force read in PCB"; what the words do not cover is kept as it
// stands ("--lock \"J1-J8\"").
std::string settingsInWords(const std::string& settings);

// "Rename all components, start 1 ..., started 2026-12-07 17:05, 12 renames":
// the run a journal took, for the Undo window and the recovery box.
std::string runInWords(const Journal& journal);

}  // namespace varnel::app
