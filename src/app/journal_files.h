#pragma once
// Journals as files: each append written and flushed at once, with the
// line ends of the platform's text files.
#include <memory>
#include <string>

#include "app/journal_store.h"

namespace varnel::app {

// The time now in strftime's format, in UTC or local time.
std::string timeNow(const char* format, bool utc);

// The time now as a journal says it, in UTC: 2026-12-07T16:05:09Z.
inline std::string utcNow() {
  return timeNow("%Y-%m-%dT%H:%M:%SZ", true);
}

// A new journal file at path, emptied; error 75 when it cannot be written.
std::unique_ptr<JournalSink> createJournalFile(const std::string& path);
// The journal file at path, appended to; error 75 when it cannot be written.
std::unique_ptr<JournalSink> reopenJournalFile(const std::string& path);
// Lines appended to the journal file at path; error 75 when they cannot be.
void appendToJournalFile(const std::string& path, const std::string& lines);

}  // namespace varnel::app
