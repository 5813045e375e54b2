#pragma once
// The journal of a run: a text file, one record a line, written as the run
// goes so that a crash leaves the record of exactly the renames made.
//   varnel-journal 1
//   design NAME
//   started 2026-12-07T16:05:09Z
//   settings --selected --assign --start 1 --eco force-read
//   undo-of FILE                 an undo's own journal: the run it takes back
//   planned N
//   rename POSITION FROM TO      one a rename, as soon as PowerLogic made it
//   completed | failed NUMBER TEXT
//   undone-by FILE               appended by the undo that took it back
// Designators and names are written with '%', blanks and control
// characters as %XX, so that a line always splits on its blanks; the text of
// a failure, the rest of its line, keeps its blanks. Lines end in LF, or in
// CR LF in the files written on Windows; readers take both.
#include <cstdint>
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
  std::string undoOf;  // the journal an undo took back; empty for a run

  bool undone() const { return !undoneBy.empty(); }
  bool isUndo() const { return !undoOf.empty(); }
};

// The lines of each record, every one ended by "\n". undoOf is empty but
// in an undo's own journal.
std::string journalHeader(const std::string& design, const std::string& started,
                          const std::string& settings, std::size_t planned,
                          const std::string& undoOf = {});
std::string journalRename(const Rename& rename);
std::string journalCompleted();
std::string journalFailed(const Error& error);
std::string journalUndoneBy(const std::string& file);

// The whole journal; error 1004 naming the line for a text that is not one.
// An undo's journal written before undo-of was is known by its settings.
Journal parseJournal(std::string_view text);

// True for a run that renamed something and that no undo took back; an
// undo's own journal is none (a second undo takes back the run before).
inline bool isRunToTakeBack(const Journal& journal) {
  return !journal.undone() && !journal.renames.empty() && !journal.isUndo();
}

}  // namespace varnel::app
