#pragma once
// Texts a run's outcome is told in, wherever it is told: the Preview, the
// status bar, the command line.
namespace varnel::app {

inline constexpr const char* kNothingToRename = "Nothing to rename.";
inline constexpr const char* kChooseAMode = "Choose which components to rename.";

}  // namespace varnel::app
