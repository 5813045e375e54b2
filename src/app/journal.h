#pragma once
// The journal of a run: a text file, one record a line, written as the run
// goes so that a crash leaves the record of exactly the renames made.
//   varnel-journal 1
//   design NAME
//   started 2026-12-07T16:05:09Z
//   settings --selected --assign --start 1 --eco force-read
//   planned N
//   rename POSITION FROM TO      one a rename, as soon as PowerLogic made it
//   completed | failed NUMBER TEXT
//   undone-by FILE               appended by the undo that took it back
// Designators and names are written with '%', blanks and control
// characters as %XX, so that a line always splits on its blanks; the text of
// a failure, the rest of its line, keeps its blanks. Lines end in LF, or in
// CR LF in the files written on Windows; readers take both.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "model/rename.h"
#include "renumber/run_settings.h"

namespace varnel::app {

struct Journal {
  enum class End { cutOff, completed, failed };
  std::string design;
  std::string started;
  std::string settings;
  std::size_t planned = 0;
  std::vector<Rename> renames;
  End end = End::cutOff;
  std::int64_t failureNumber = 0;
  std::string failureText;
  std::vector<std::string> undoneBy;

  bool undone() const { return !undoneBy.empty(); }
};

// The lines of each record, every one ended by "\n".
std::string journalHeader(const std::string& design, const std::string& started,
                          const std::string& settings, std::size_t planned);
std::string journalRename(const Rename& rename);
std::string journalCompleted();
std::string journalFailed(const Error& error);
std::string journalUndoneBy(const std::string& file);

// The whole journal; error 1004 naming the line for a text that is not one.
Journal parseJournal(std::string_view text);

// True for a run that renamed something and that no undo took back; an
// undo's own journal is none (a second undo takes back the run before).
inline bool isRunToTakeBack(const Journal& journal) {
  return !journal.undone() && !journal.renames.empty() && journal.settings.rfind("--undo ", 0) != 0;
}

// Where a journal goes as it is written: each append reaches the file, and
// is flushed, before it returns.
class JournalSink {
 public:
  virtual ~JournalSink() = default;
  virtual void append(const std::string& lines) = 0;
  // Where it is, for messages.
  virtual std::string path() const = 0;
};

// Where runs keep their journals.
class JournalStore {
 public:
  virtual ~JournalStore() = default;
  // False: create() is never asked (it would need the design's name).
  virtual bool enabled() const { return true; }
  struct Opened {
    std::unique_ptr<JournalSink> sink;  // null: no journal is kept
    std::string started;                // now, as the journal says it
  };
  // A new journal for a run over the design of that name.
  virtual Opened create(const std::string& designName) = 0;
  // Appends lines to a journal written before (an undo marks the run it undid).
  virtual void appendTo(const std::string& journalPath, const std::string& lines) = 0;
};

// The journals a user can take back, as the window's Undo finds them.
class JournalLibrary {
 public:
  virtual ~JournalLibrary() = default;
  // The newest journal of the design that no undo took back, if any.
  virtual std::optional<std::string> newestNotUndone(const std::string& designName) const = 0;
  virtual std::string read(const std::string& journalPath) const = 0;
  virtual std::string folder() const = 0;
};

// Keeps no journal, and so has none to take back.
class NoJournals final : public JournalStore, public JournalLibrary {
 public:
  bool enabled() const override { return false; }
  Opened create(const std::string&) override { return {}; }
  void appendTo(const std::string&, const std::string&) override {}
  std::optional<std::string> newestNotUndone(const std::string&) const override { return {}; }
  std::string read(const std::string&) const override { return {}; }
  std::string folder() const override { return {}; }
};

}  // namespace varnel::app
