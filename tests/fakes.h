#pragma once
// Fakes for the platform the run's closing work reaches: the report window,
// the save dialog, the file system and PowerPCB. They share one journal, so
// that tests can check the order of what happened.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/journal.h"
#include "app/journal_store.h"
#include "app/preview_view.h"
#include "app/report_view.h"
#include "app/run_activity.h"
#include "app/save_dialog.h"
#include "base/error.h"
#include "base/file_system.h"
#include "host/pcb.h"

namespace varnel::tests {

using CallLog = std::vector<std::string>;

struct FakeReport final : app::ReportView {
  bool open = false;
  std::string shown;
  int shows = 0;
  bool isOpen() override { return open; }
  std::string text() override { return shown; }
  void show(const std::string& text) override {
    shown = text;
    open = true;
    ++shows;
  }
};

struct FakeSaveDialog final : app::SaveDialog {
  std::string answer;  // empty: cancelled
  std::optional<base::Error> failure;
  std::string filterSeen, proposedSeen;
  int asked = 0;
  std::vector<std::string> writtenSeen;
  std::function<void()> whileOpen;  // what the user does while the dialog is up
  std::string askSavePath(const std::string& filter, const std::string& proposed) override {
    ++asked;
    filterSeen = filter;
    proposedSeen = proposed;
    if (whileOpen) whileOpen();
    if (failure) throw *failure;
    return answer;
  }
  void written(const std::string& path) override { writtenSeen.push_back(path); }
};

struct FakeFiles final : base::FileSystem {
  explicit FakeFiles(CallLog& journal) : journal(journal) {}
  CallLog& journal;
  std::map<std::string, std::string> files;
  std::map<std::string, std::string> dates;  // by path; a file without one has none
  std::optional<base::Error> replaceFailure, deleteFailure, checkFailure;
  std::map<std::string, base::Error> failingWrites;  // by path
  void replaceFile(const std::string& path, const std::string& content) override {
    journal.push_back("write " + path);
    if (replaceFailure) throw *replaceFailure;
    if (auto f = failingWrites.find(path); f != failingWrites.end()) throw f->second;
    files[path] = content;
  }
  void checkWritable(const std::string& path) override {
    journal.push_back("check " + path);
    if (checkFailure) throw *checkFailure;
  }
  bool exists(const std::string& path) override { return files.count(path) > 0; }
  std::string readFile(const std::string& path) override {
    if (auto f = files.find(path); f != files.end()) return f->second;
    throw base::errors::fileNotFound(path);
  }
  std::string lastWrittenDate(const std::string& path) override {
    const auto date = dates.find(path);
    return date == dates.end() ? std::string() : date->second;
  }
  void deleteFile(const std::string& path) override {
    journal.push_back("delete " + path);
    if (deleteFailure) throw *deleteFailure;
    if (!files.erase(path)) throw base::errors::fileNotFound(path);
  }
  std::string tempFolder() override { return "/temp/"; }
};

struct FakePcb final : host::PcbConnector {
  FakePcb(CallLog& journal, FakeFiles& files) : journal(journal), files(files) {}
  CallLog& journal;
  FakeFiles& files;
  bool running = true;
  std::optional<base::Error> readFailure;
  std::vector<std::string> filesRead;  // the content of each file read

  struct Document final : host::PcbDocument {
    FakePcb* pcb;
    explicit Document(FakePcb* p) : pcb(p) {}
    void ReadEcoFile(const std::string& path) override {
      pcb->journal.push_back("read " + path);
      if (pcb->readFailure) throw *pcb->readFailure;
      pcb->filesRead.push_back(pcb->files.files.at(path));
    }
  };
  struct App final : host::PcbApplication {
    FakePcb* pcb;
    explicit App(FakePcb* p) : pcb(p) {}
    host::Ref<host::PcbDocument> ActiveDocument() override { return host::makeRef<Document>(pcb); }
  };
  std::shared_ptr<host::PcbApplication> attach() override {
    journal.push_back("attach PowerPCB");
    if (!running) throw base::errors::cannotCreateObject();
    return std::make_shared<App>(this);
  }
};

// The work's phases as they were told, and a user who presses Stop when
// asked for the stopAtQuestion-th time (0: never), or while a dialog shows.
struct FakeActivity final : app::RunActivity {
  std::vector<std::string> phases;
  int questions = 0, stopAtQuestion = 0, begun = 0, ended = 0;
  std::function<void()> atQuestion;  // what the user does when Varnel lets input in
  bool stopRequested = false;
  void begin() override {
    ++begun;
    stopRequested = false;
  }
  void end() override { ++ended; }
  void requestStop() override { stopRequested = true; }
  void reading(std::int64_t done, std::int64_t total) override {
    if (done == 0 || done == total) phases.push_back(app::readingText(done, total));
  }
  void renaming(std::int64_t done, std::int64_t total) override {
    if (done == 0) phases.push_back(app::renamingText(done, total, -1));
  }
  void phase(const std::string& text) override { phases.push_back(text); }
  bool stopAsked() override {
    ++questions;
    if (atQuestion) atQuestion();
    if (stopAtQuestion && questions == stopAtQuestion) requestStop();
    return stopRequested;
  }
};

// Journals in memory, by path; each append is kept at once, as a file's would be.
struct FakeJournals final : app::JournalStore, app::JournalLibrary {
  std::map<std::string, std::string> texts;
  bool keep = false;                         // a test that looks at journals turns them on
  std::optional<base::Error> appendFailure;  // from the nth append on (1-based), or never
  int failFromAppend = 0, appends = 0;
  bool failWriteThrough = false;
  std::map<std::string, std::string> writtenThrough;  // each journal as last written through

  struct Sink final : app::JournalSink {
    FakeJournals* store;
    std::string at;
    void append(const std::string& lines) override {
      if (store->failFromAppend && ++store->appends >= store->failFromAppend)
        throw *store->appendFailure;
      store->texts[at] += lines;
    }
    void writeThrough() override {
      if (store->failWriteThrough)
        throw base::Error(base::errors::kPathFileAccess, "the disk is full");
      store->writtenThrough[at] = store->texts[at];
    }
    std::string path() const override { return at; }
  };
  bool enabled() const override { return keep; }
  Opened create(const std::string& designName) override {
    auto sink = std::make_unique<Sink>();
    sink->store = this;
    sink->at = "/journals/" + designName + " " + std::to_string(texts.size() + 1) + ".journal";
    texts[sink->at];
    return {std::move(sink), "2026-12-07T16:05:09Z"};
  }
  void appendTo(const std::string& path, const std::string& lines) override {
    std::string& text = texts.at(path);
    text.erase(text.rfind('\n') + 1);  // a record cut short is dropped, as from a file
    text += lines;
  }
  std::unique_ptr<app::JournalSink> reopen(const std::string& path) override {
    auto sink = std::make_unique<Sink>();
    sink->store = this;
    sink->at = path;
    std::string& text = texts.at(path);
    text.erase(text.rfind('\n') + 1);  // a record cut short is dropped, as from a file
    return sink;
  }
  std::optional<std::string> newestNotUndone(const std::string& designName) const override {
    return newest(designName, &app::isRunToTakeBack);
  }
  std::optional<std::string> newestCutOff(const std::string& designName) const override {
    return newest(designName, [](const app::Journal& journal) { return journal.needsClosing(); });
  }
  // By the number in its path: "/journals/test.sch 3.journal" is the third.
  std::optional<std::string> newest(const std::string& designName,
                                    bool (*wanted)(const app::Journal&)) const {
    std::optional<std::string> newest;
    std::size_t newestNumber = 0;
    for (const auto& [path, text] : texts) {
      const app::Journal journal = app::parseJournal(text);
      const std::size_t number = std::stoul(path.substr(path.rfind(' ') + 1));
      if (journal.design == designName && wanted(journal) && number > newestNumber)
        newest = path, newestNumber = number;
    }
    return newest;
  }
  std::string read(const std::string& path) const override { return texts.at(path); }
  std::string folder() const override { return "/journals"; }
};

struct FakePreview final : app::PreviewView {
  std::vector<app::Preview> shown;
  bool open = false;
  std::function<void()> whileShowing;  // what happens while the preview is made
  void showPreview(const app::Preview& preview) override {
    shown.push_back(preview);
    open = true;
    if (whileShowing) whileShowing();
  }
  void closePreview() override { open = false; }
};

// What a run left: its renames as two lists, and the designators it ignored.
struct RunRecord {
  std::vector<std::string> oldNames, newNames, ignored;
  int runs = 0;  // runs that reached the design
};

// The last run's renames as "OLD>NEW".
inline std::vector<std::string> pairs(const RunRecord& record) {
  std::vector<std::string> out;
  for (std::size_t k = 0; k < record.oldNames.size(); ++k)
    out.push_back(record.oldNames[k] + ">" + record.newNames[k]);
  return out;
}

}  // namespace varnel::tests
