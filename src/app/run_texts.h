#pragma once
// Texts a run's outcome is told in, wherever it is told: the Preview, the
// status bar, the command line.
#include <string>

namespace varnel::app {

inline constexpr const char* kNothingToRename = "Nothing to rename.";
inline constexpr const char* kChooseAMode = "Choose which components to rename.";
// Run's caption while long work goes: the button stops it.
inline constexpr const char* kStopCaption = "Sto&p";
inline constexpr const char* kStoppingText =
    "Stopping after the call to PowerLogic under way\u2026";
inline constexpr const char* kStopToEndQuestion =
    "A run is under way. Stop it and end Varnel?\n\nThe renames made so far are kept in the "
    "journal; the next start offers to finish the run, take it back or leave it.";

// The ways the window and the command line say that PowerLogic cannot be
// reached. The first is the system's own, spelling and blanks as they have
// always been; the others say what to do at the moment each is shown.
inline constexpr const char* kNotRunning = "Are you sure Powerlogic is running ? ";
inline constexpr const char* kNotRunningOnRun =
    "PowerLogic is not running. Start it and open your design, then press Run again.";
inline constexpr const char* kGoneDuringWork =
    "PowerLogic is no longer running. Start it again, open your design, and press Run.";
inline constexpr const char* kNotRunningTitle = "Varnel (PowerLogic not running)";
inline constexpr const char* kNotRunningOnCommandLine =
    "PowerLogic is not running: start it and open your design, then run Varnel again.";
inline constexpr const char* kCannotBeReached = "(PowerLogic cannot be reached)";

// The refusal of a start number that is not one, in the window and on the
// command line. Its first words are the system's own, each mode's as it has
// always been ("Value" and "value" both meant); the rest names the field,
// the rule and what was typed.
inline std::string illegalStartText(bool allComponents, const std::string& typed) {
  return std::string(allComponents ? "Illegal Value" : "Illegal value in Start textbox") +
         ": Start from must be a whole number from -32768 to 32767, other than 0 (\"" + typed +
         "\")";
}

// The headings of the components a run by board position leaves alone
// because the placement file does not place them, and of the designators
// only the file has.
inline constexpr const char* kNotOnBoard = "Not on the board";
inline constexpr const char* kOnlyOnBoard = "Only on the board";

}  // namespace varnel::app
