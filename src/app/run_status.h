#pragma once
// The status bar's line after a run, a preview's Rename or an undo: what it
// did, or why it did nothing.
#include <string>

#include "app/renumbering_session.h"

namespace varnel::app {

// "7 renames made; ECO file read by PowerPCB.", "7 renames made; ECO file
// C:\jobs\board.eco.", "Nothing to rename.", "No component is selected in
// PowerLogic.", and for a run that failed or was cancelled what it left.
std::string runStatus(const RunOutcome& outcome);

}  // namespace varnel::app
