#pragma once
// Journals as files: each append written and flushed at once.
#include <string>

#include "app/journal.h"
#include "app/journal_store.h"

namespace varnel::app {

// The time now in strftime's format, in UTC or local time.
std::string timeNow(const char* format, bool utc);

// The time now as a journal says it, in UTC: 2026-12-07T16:05:09Z.
inline std::string utcNow() {
  return timeNow("%Y-%m-%dT%H:%M:%SZ", true);
}

// One journal at a path the user chose (the offline runner's --journal).
class FileJournal final : public JournalStore {
 public:
  explicit FileJournal(std::string path) : path_(std::move(path)) {}
  Opened create(const std::string& designName) override;
  void appendTo(const std::string& journalPath, const std::string& lines) override;

 private:
  std::string path_;
};

// Only marks journals undone: for an undo that writes no journal of its own.
class JournalMarker final : public JournalStore {
 public:
  bool enabled() const override { return false; }
  Opened create(const std::string&) override { return {}; }
  void appendTo(const std::string& journalPath, const std::string& lines) override;
};

}  // namespace varnel::app
