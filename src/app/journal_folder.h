#pragma once
// The journals of the window's runs: one file a run in a folder of their own
// (on Windows %LOCALAPPDATA%\Varnel\Journal), named after the design and the
// local time the run started ("controller 2026-12-07 16-05-09.journal"); the
// newest 200 are kept.
#include <cstddef>
#include <optional>
#include <string>

#include "app/journal.h"
#include "app/journal_store.h"
#include "base/std_file_system.h"

namespace varnel::app {

class JournalFolder final : public JournalStore, public JournalLibrary {
 public:
  explicit JournalFolder(std::string folder, std::size_t keep = 200);

  Opened create(const std::string& designName) override;
  void appendTo(const std::string& journalPath, const std::string& lines) override;
  std::unique_ptr<JournalSink> reopen(const std::string& journalPath) override;

  std::optional<std::string> newestNotUndone(const std::string& designName) const override;
  std::optional<std::string> newestCutOff(const std::string& designName) const override;
  std::string read(const std::string& journalPath) const override;
  std::string folder() const override { return folder_; }

 private:
  void keepNewest() const;
  std::optional<std::string> newest(const std::string& designName,
                                    bool (*wanted)(const Journal&)) const;

  std::string folder_;
  std::size_t keep_;
  mutable base::StdFileSystem files_;
};

// The design's name without folder and extension, fit for a file name.
std::string journalBaseName(const std::string& designName);

}  // namespace varnel::app
