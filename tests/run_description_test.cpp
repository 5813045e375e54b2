// A journal's run in the words of the window and the time of the machine.
#include "app/run_description.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace varnel::app {
namespace {

TEST(RunDescription, SaysTheSettingsInTheWindowsWords) {
  for (const auto& [settings, words] : std::vector<std::pair<std::string, std::string>>{
           {"--all --start 1", "Rename all components, start 1"},
           {"--selected --duplicates --start -3 --eco force-read",
            "Rename selected components, rename duplicates, start -3, write and force read in PCB"},
           {"--selected --assign --start 10 --eco write-only",
            "Rename selected components, assign next free names, start 10, write ECO file only"},
           {"--all --start 1 --keep-right --lock \"J1-J8 TP*\"",
            "Rename all components, start 1, keep names that are already right --lock \"J1-J8 "
            "TP*\""},
           {"--undo C:\\j\\a.journal", "--undo C:\\j\\a.journal"},
           {"", ""}})
    EXPECT_EQ(settingsInWords(settings), words) << settings;
}

#ifndef _WIN32
// The time zone of the machine, set for the test alone.
class InZone {
 public:
  explicit InZone(const char* zone) {
    if (const char* was = std::getenv("TZ")) before_ = was;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~InZone() {
    if (before_.empty())
      unsetenv("TZ");
    else
      setenv("TZ", before_.c_str(), 1);
    tzset();
  }

 private:
  std::string before_;
};

TEST(RunDescription, SaysWhenTheRunStartedInLocalTime) {
  {
    InZone utc("UTC0");
    EXPECT_EQ(localTime("2026-12-07T16:05:09Z"), "2026-12-07 16:05");
    EXPECT_EQ(localTime("2024-02-29T23:59:59Z"), "2024-02-29 23:59");
  }
  {
    InZone helsinki("EET-2EEST,M3.5.0/3,M10.5.0/4");
    EXPECT_EQ(localTime("2026-12-07T16:05:09Z"), "2026-12-07 18:05");
    EXPECT_EQ(localTime("2026-07-01T23:30:00Z"), "2026-07-02 02:30") << "summer time";
  }
  for (const char* notATime : {"", "yesterday", "2026-12-07 16:05:09", "2026-13-07T16:05:09Z"})
    EXPECT_EQ(localTime(notATime), notATime);
}
#endif

TEST(RunDescription, NamesTheRunAJournalTook) {
  Journal journal;
  journal.settings = "--all --start 1 --eco force-read";
  journal.started = "not a time";
  journal.renames = {{1, "R5", "R1"}, {2, "R6", "R2"}};
  EXPECT_EQ(runInWords(journal),
            "Rename all components, start 1, write and force read in PCB, started not a time, 2 "
            "renames");
}

}  // namespace
}  // namespace varnel::app
