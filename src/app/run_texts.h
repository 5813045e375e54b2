#pragma once
// Texts a run's outcome is told in, wherever it is told: the Preview, the
// command line.
namespace varnel::app {

inline constexpr const char* kNothingToRename = "Nothing to rename.";

}  // namespace varnel::app
