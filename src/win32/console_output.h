#pragma once
// Where Varnel.exe's command-line output goes: the handles it was given
// (a pipe or a file), else the console it was started from.
#include <string>

namespace varnel::win {

// Writes text to standard output (or standard error) as it stands (UTF-8).
void writeToConsole(const std::string& text, bool toError);

}  // namespace varnel::win
