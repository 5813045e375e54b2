#pragma once
// The stand-ins' command lines.
#include <optional>
#include <string>
#include <vector>

namespace varnel::standin {

struct StandinArgs {
  std::optional<std::string> design;    // the design (or layout) file to open
  std::optional<std::string> autosave;  // saved after every change
  std::optional<long> failAfter;        // every host call after the Nth fails
  std::optional<std::string> keepEco;   // a copy of each ECO file read
  bool strict = false;                  // served as a type-library server is
  std::optional<long> busyAfter;        // calls are rejected after the Nth
  long busyFor = 0;                     // for this many ms; 0: for good
  std::optional<std::string> watch;     // the calls watched under this name
  std::optional<long> stopAt;           // the call the watch holds
};

// Nothing when the command line is not of that form.
std::optional<StandinArgs> parseStandinArgs(const std::vector<std::string>& args);

// Shows why the stand-in cannot start; returns the exit status 1.
int showStartFailure(const wchar_t* title, const std::string& text);

// The process's command line as UTF-8 words.
std::vector<std::string> commandLineWords();

}  // namespace varnel::standin
