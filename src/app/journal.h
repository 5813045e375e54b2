#pragma once
// The journal of a run: a text file, one record a line. The whole plan is
// written, and written through to the disk, before the first rename, so
// that a run ended at any point can be finished, taken back or left.
//   varnel-journal 3
//   design NAME
//   started 2026-12-07T16:05:09Z
//   settings --selected --assign --start 1 --eco force-read
//   undo-of FILE                 an undo's own journal: the run it takes back
//   eco none | write-only FILE | force-read FILE
//   planned N
//   plan POSITION FROM TO        N of them, in the order they are to be made
//   rename POSITION FROM TO      one a rename, as soon as PowerLogic made it
//   completed | failed NUMBER TEXT
//   delivering                   PowerPCB was asked to read the ECO file
//   delivered                    the ECO file was written, or PowerPCB read it
//   undelivered                  the user chose to leave the layout as it is
//   undone-by FILE               appended by the undo that took it back
//   recovered finish | take-back | leave | send | write   appended when the run was closed
// Version 1 journals have no eco or plan records, and versions 1 and 2 no
// delivery records (their runs count as delivered once ended); they are read
// as ever.
// Designators and names are written with '%', blanks and control
// characters as %XX, so that a line always splits on its blanks; the text of
// a failure, the rest of its line, keeps its blanks. Lines end in LF, or in
// CR LF in the files written on Windows; readers take both.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/eco_output.h"
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
  std::vector<model::Rename> renames;
  End end = End::cutOff;
  std::int64_t failureNumber = 0;
  std::string failureText;
  std::vector<std::string> undoneBy;
  std::string undoOf;  // the journal an undo took back; empty for a run
  int version = 1;
  EcoOutput eco = EcoOutput::none;  // version 2: where the run's ECO file was to go
  std::string ecoFile;
  std::vector<model::Rename> plan;  // version 2: every planned rename, in order
  std::string recovered;            // how a cut-off run was closed: "finish", "take-back", "leave"
  bool deliveryBegun = false;       // version 3: PowerPCB was asked to read the ECO file
  bool delivered = false;           // version 3: the ECO file reached its place
  bool deliveryLeft = false;        // version 3: the user chose not to deliver it

  bool undone() const { return !undoneBy.empty(); }
  bool isUndo() const { return !undoOf.empty(); }
  // Ended by neither an end record nor a recovery: Varnel was ended mid-run.
  bool cutOff() const { return end == End::cutOff && recovered.empty(); }
  // Ended, its renames made, but its ECO file never reached the layout (nor
  // did the user choose to leave it so): Varnel was ended while delivering it.
  bool undelivered() const {
    return version >= 3 && end != End::cutOff && eco != EcoOutput::none && !renames.empty() &&
           !delivered && !deliveryLeft;
  }
  // A run that must be closed before anything else is done with its design.
  bool needsClosing() const { return cutOff() || undelivered(); }
  // Every planned rename reached the journal (only then can the run be finished).
  bool holdsWholePlan() const { return version >= 2 && planned > 0 && plan.size() == planned; }
};

// What a run writes ahead of its first rename.
struct JournalHead {
  std::string design;
  std::string started;
  std::string settings;
  std::string undoOf;  // an undo's: the journal it takes back
  EcoOutput eco = EcoOutput::none;
  std::string ecoFile;
  std::vector<model::Rename> plan;
};

// The lines of each record, every one ended by "\n".
std::string journalHead(const JournalHead& head);
std::string journalRename(const model::Rename& rename);
std::string journalCompleted();
std::string journalFailed(const base::Error& error);
std::string journalUndoneBy(const std::string& file);
std::string journalRecovered(const std::string& choice);
std::string journalDelivering();
std::string journalDelivered();
std::string journalUndelivered();

// The whole journal; error 1004 naming the line for a text that is not one.
// A last line cut short (no line end) is not read.
// An undo's journal written before undo-of was is known by its settings.
Journal parseJournal(std::string_view text);

// True for a run that renamed something and that no undo took back; an
// undo's own journal is none (a second undo takes back the run before).
inline bool isRunToTakeBack(const Journal& journal) {
  return !journal.undone() && !journal.renames.empty() && !journal.isUndo();
}

}  // namespace varnel::app
