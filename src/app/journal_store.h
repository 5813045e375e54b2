#pragma once
// Where journals are written and found: the interfaces the session and the
// window's Undo use, and a store that keeps none.
#include <memory>
#include <optional>
#include <string>

namespace varnel::app {

// Where a journal goes as it is written: each append reaches the file, and
// is flushed, before it returns (it survives Varnel's end, not a power cut).
class JournalSink {
 public:
  virtual ~JournalSink() = default;
  virtual void append(const std::string& lines) = 0;
  // Returns once everything appended is on the disk itself (it survives a
  // power cut): FlushFileBuffers on Windows, fsync elsewhere.
  virtual void writeThrough() = 0;
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
  // A journal written before, to go on with (a cut-off run finished or left);
  // null when no journal is kept.
  virtual std::unique_ptr<JournalSink> reopen(const std::string& journalPath) = 0;
};

// The journals a user can take back, as the window's Undo finds them.
class JournalLibrary {
 public:
  virtual ~JournalLibrary() = default;
  // The newest journal of the design that no undo took back, if any.
  virtual std::optional<std::string> newestNotUndone(const std::string& designName) const = 0;
  // The newest journal of the design whose run Varnel's end cut off, and
  // that was not closed since, if any.
  virtual std::optional<std::string> newestCutOff(const std::string& designName) const = 0;
  virtual std::string read(const std::string& journalPath) const = 0;
  virtual std::string folder() const = 0;
};

// Keeps no journal, and so has none to take back.
class NoJournals final : public JournalStore, public JournalLibrary {
 public:
  bool enabled() const override { return false; }
  Opened create(const std::string&) override { return {}; }
  void appendTo(const std::string&, const std::string&) override {}
  std::unique_ptr<JournalSink> reopen(const std::string&) override { return nullptr; }
  std::optional<std::string> newestNotUndone(const std::string&) const override { return {}; }
  std::optional<std::string> newestCutOff(const std::string&) const override { return {}; }
  std::string read(const std::string&) const override { return {}; }
  std::string folder() const override { return {}; }
};

}  // namespace varnel::app
