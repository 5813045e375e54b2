#pragma once
// Only marks journals undone: for an undo that writes no journal of its own.
#include <string>

#include "app/journal_files.h"
#include "app/journal_store.h"

namespace varnel::app {

class JournalMarker final : public JournalStore {
 public:
  bool enabled() const override { return false; }
  Opened create(const std::string&) override { return {}; }
  void appendTo(const std::string& journalPath, const std::string& lines) override {
    appendToJournalFile(journalPath, lines);
  }
  std::unique_ptr<JournalSink> reopen(const std::string& journalPath) override {
    return reopenJournalFile(journalPath);
  }
};

}  // namespace varnel::app
