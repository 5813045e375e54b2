#pragma once
// One journal at a path the user chose (the command line's --journal).
#include <string>

#include "app/journal_files.h"
#include "app/journal_store.h"

namespace varnel::app {

class FileJournal final : public JournalStore {
 public:
  explicit FileJournal(std::string path) : path_(std::move(path)) {}
  Opened create(const std::string&) override { return {createJournalFile(path_), utcNow()}; }
  void appendTo(const std::string& journalPath, const std::string& lines) override {
    appendToJournalFile(journalPath, lines);
  }
  std::unique_ptr<JournalSink> reopen(const std::string& journalPath) override {
    return reopenJournalFile(journalPath);
  }

 private:
  std::string path_;
};

}  // namespace varnel::app
