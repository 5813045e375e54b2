#include "app/journal_folder.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/file_journal.h"
#include "app/journal_marker.h"
#include "base/utf8_path.h"
#include "eco/forced_read_file_name.h"

namespace varnel::app {

namespace fs = std::filesystem;
using base::pathOf;
using base::utf8Of;

namespace {

std::vector<fs::path> journalsIn(const std::string& folder) {
  std::vector<fs::path> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(pathOf(folder), ec))
    if (entry.path().extension() == ".journal") found.push_back(entry.path());
  return found;
}

}  // namespace

std::string journalBaseName(const std::string& designName) {
  const std::string file = eco::fileNameOf(designName);
  const std::string name = file.substr(0, file.find('.'));
  return name.empty() ? "design" : name;
}

JournalFolder::JournalFolder(std::string folder, std::size_t keep)
    : folder_(std::move(folder)), keep_(keep) {}

JournalStore::Opened JournalFolder::create(const std::string& designName) {
  std::error_code ec;
  fs::create_directories(pathOf(folder_), ec);
  const fs::path base = pathOf(folder_) / pathOf(journalBaseName(designName) + " " +
                                                 timeNow("%Y-%m-%d %H-%M-%S", false));
  fs::path path = base;
  path += ".journal";
  for (int n = 2; fs::exists(path); ++n) {  // two runs in one second
    path = base;
    path += " (" + std::to_string(n) + ").journal";
  }
  FileJournal file(utf8Of(path));
  Opened opened = file.create(designName);
  keepNewest();
  return opened;
}

std::unique_ptr<JournalSink> JournalFolder::reopen(const std::string& journalPath) {
  return reopenJournalFile(journalPath);
}

void JournalFolder::appendTo(const std::string& journalPath, const std::string& lines) {
  JournalMarker().appendTo(journalPath, lines);
}

void JournalFolder::keepNewest() const {
  auto journals = journalsIn(folder_);
  if (journals.size() <= keep_) return;
  std::error_code ec;
  std::sort(journals.begin(), journals.end(), [&](const fs::path& a, const fs::path& b) {
    return fs::last_write_time(a, ec) > fs::last_write_time(b, ec);
  });
  for (std::size_t i = keep_; i < journals.size(); ++i) fs::remove(journals[i], ec);
}

std::string JournalFolder::read(const std::string& journalPath) const {
  return files_.readFile(journalPath);
}

std::optional<std::string> JournalFolder::newestNotUndone(const std::string& designName) const {
  return newest(designName, &isRunToTakeBack);
}

std::optional<std::string> JournalFolder::newestCutOff(const std::string& designName) const {
  return newest(designName, [](const Journal& journal) { return journal.needsClosing(); });
}

std::optional<std::string> JournalFolder::newest(const std::string& designName,
                                                 bool (*wanted)(const Journal&)) const {
  struct Candidate {
    std::string started;
    fs::file_time_type written;
    std::string path;
  };
  std::vector<Candidate> candidates;
  std::error_code ec;
  for (const fs::path& path : journalsIn(folder_)) {
    try {
      const Journal journal = parseJournal(files_.readFile(utf8Of(path)));
      if (journal.design == designName && wanted(journal))
        candidates.push_back({journal.started, fs::last_write_time(path, ec), utf8Of(path)});
    } catch (const base::Error&) {
      // Not a journal of ours: not a run to take back or close.
    }
  }
  if (candidates.empty()) return std::nullopt;
  // Runs started in the same second: the one that wrote last is the newer.
  return std::max_element(candidates.begin(), candidates.end(),
                          [](const Candidate& a, const Candidate& b) {
                            return std::tie(a.started, a.written) < std::tie(b.started, b.written);
                          })
      ->path;
}

}  // namespace varnel::app
