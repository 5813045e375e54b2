#pragma once
// What long work tells the user while it goes (reading the design, renaming,
// PowerPCB reading the ECO file, looking at a run that was cut off), and the
// one place it asks whether to go on: between two calls to PowerLogic, never
// inside one.
#include <cstdint>
#include <string>

namespace varnel::app {

class RunActivity {
 public:
  virtual ~RunActivity() = default;
  // A piece of work begins, and no stop is asked for yet.
  virtual void begin() = 0;
  // The work is over, and the windows show again what they showed before it.
  virtual void end() = 0;
  // The user asked to stop (with the Stop button or Esc), and the work
  // stops at its next question.
  virtual void requestStop() = 0;
  // Tells that done of total components are read; total is 0 while the
  // count is not known.
  virtual void reading(std::int64_t done, std::int64_t total) = 0;
  // Tells that done of total planned renames are made.
  virtual void renaming(std::int64_t done, std::int64_t total) = 0;
  // Tells a phase that has no count, such as "PowerPCB is reading the ECO file…".
  virtual void phase(const std::string& text) = 0;
  // Lets the windows take the input that waits, then says whether the user
  // asked to stop.
  virtual bool stopAsked() = 0;
};

// The command line's work tells nobody and is never stopped.
class QuietActivity final : public RunActivity {
 public:
  void begin() override {}
  void end() override {}
  void requestStop() override {}
  void reading(std::int64_t, std::int64_t) override {}
  void renaming(std::int64_t, std::int64_t) override {}
  void phase(const std::string&) override {}
  bool stopAsked() override { return false; }
};

// Every session without a window may share this one, since it holds nothing.
RunActivity& quietActivity();

// The status texts of the phases, said the same wherever they are shown.
std::string readingText(std::int64_t done, std::int64_t total);
// secondsLeft below 0: not known yet.
std::string renamingText(std::int64_t done, std::int64_t total, std::int64_t secondsLeft);
inline constexpr const char* kPcbReadingText = "PowerPCB is reading the ECO file\u2026";
inline constexpr const char* kLookingAtCutOffText = "Looking at the run that was cut off\u2026";

}  // namespace varnel::app
