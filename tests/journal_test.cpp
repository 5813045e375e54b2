// The journal of every run, the preview that renames nothing, and the undo
// that takes a run back: in the session and on the command line.
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include "app/file_journal.h"
#include "app/journal.h"
#include "app/journal_folder.h"
#include "app/map_image.h"
#include "fixtures.h"
#include "renumber/plan_undo.h"
#include "standin/design_file.h"
#include "standin/memory_designs.h"
#include "temp_dir.h"

namespace varnel {
namespace {

using tests::design;
using tests::Engine;
using tests::words;

// The head of a run's journal, planning nothing and writing no ECO file.
std::string headOf(std::string design, std::string started, std::string settings,
                   std::string undoOf = {}) {
  app::JournalHead head;
  head.design = std::move(design);
  head.started = std::move(started);
  head.settings = std::move(settings);
  head.undoOf = std::move(undoOf);
  return app::journalHead(head);
}

TEST(JournalFormat, ReadsBackWhatItWrites) {
  const std::string text =
      app::journalHead({"my board.sch",
                        "2026-12-07T16:05:09Z",
                        "--all --start 1",
                        "",
                        app::EcoOutput::forceReadInPcb,
                        "C:\\eco\\my board.eco",
                        {{12, "R17", "R16"}, {5, "odd name", "100%"}, {12, "R16", "R1"}}}) +
      app::journalRename({12, "R17", "R16"}) + app::journalRename({5, "odd name", "100%"}) +
      app::journalFailed(base::Error(0x800706BE, "The remote procedure call failed\nfor good")) +
      app::journalUndoneBy("C:\\Journal\\undo 1.journal");
  EXPECT_NE(text.find("rename 5 odd%20name 100%25\n"), std::string::npos) << text;
  EXPECT_NE(text.find("failed 0x800706BE The remote procedure call failed%0Afor good\n"),
            std::string::npos)
      << "readable as it stands";
  const app::Journal journal = app::parseJournal(text);
  EXPECT_EQ(journal.design, "my board.sch");
  EXPECT_EQ(journal.started, "2026-12-07T16:05:09Z");
  EXPECT_EQ(journal.settings, "--all --start 1");
  EXPECT_EQ(journal.planned, 3u);
  EXPECT_EQ(journal.renames,
            (std::vector<model::Rename>{{12, "R17", "R16"}, {5, "odd name", "100%"}}));
  EXPECT_EQ(journal.end, app::Journal::End::failed);
  EXPECT_EQ(journal.failureNumber, 0x800706BE);
  EXPECT_EQ(journal.failureText, "The remote procedure call failed\nfor good");
  EXPECT_EQ(journal.undoneBy, std::vector<std::string>{"C:\\Journal\\undo 1.journal"});
  EXPECT_FALSE(journal.isUndo());
  EXPECT_EQ(journal.version, 3);
  EXPECT_EQ(journal.eco, app::EcoOutput::forceReadInPcb);
  EXPECT_EQ(journal.ecoFile, "C:\\eco\\my board.eco");
  EXPECT_EQ(journal.plan, (std::vector<model::Rename>{
                              {12, "R17", "R16"}, {5, "odd name", "100%"}, {12, "R16", "R1"}}));
  const app::Journal empty = app::parseJournal(headOf("b", "t", "s"));
  EXPECT_TRUE(empty.cutOff());
  EXPECT_FALSE(app::parseJournal(headOf("b", "t", "s") + app::journalRecovered("leave")).cutOff());
  // Journals of the first version, without plan or eco records, are read as ever.
  const app::Journal first = app::parseJournal(
      "varnel-journal 1\ndesign b\nsettings --all --start 1\nplanned 1\nrename 1 R2 R1\n");
  EXPECT_EQ(first.version, 1);
  EXPECT_TRUE(first.plan.empty());
  EXPECT_EQ(first.renames, (std::vector<model::Rename>{{1, "R2", "R1"}}));
}

TEST(JournalFormat, KnowsAnUndoByItsOwnRecordAndTheUndosOfOldJournalsByTheirSettings) {
  const std::string undo =
      headOf("b.sch", "t", "--undo C:\\j\\a run.journal", "C:\\j\\a run.journal") +
      app::journalRename({1, "R2", "R1"}) + app::journalCompleted();
  EXPECT_NE(undo.find("\nundo-of C:\\j\\a%20run.journal\n"), std::string::npos) << undo;
  EXPECT_EQ(app::parseJournal(undo).undoOf, "C:\\j\\a run.journal");
  EXPECT_FALSE(app::isRunToTakeBack(app::parseJournal(undo)));
  // As undos wrote their journals before the record was: the settings say it.
  const std::string old =
      "varnel-journal 1\nsettings --undo /j/x.journal\nrename 1 R2 R1\ncompleted\n";
  EXPECT_EQ(app::parseJournal(old).undoOf, "/j/x.journal");
  EXPECT_FALSE(app::isRunToTakeBack(app::parseJournal(old)));
  const std::string run = "varnel-journal 1\nsettings --all --start 1\nrename 1 R2 R1\ncompleted\n";
  EXPECT_TRUE(app::isRunToTakeBack(app::parseJournal(run)));
  // As journals wrote it before: every blank a code.
  EXPECT_EQ(app::parseJournal("varnel-journal 1\r\nfailed 462 The%20server%20went\r\n").failureText,
            "The server went");
}

TEST(JournalFormat, FilesEndTheirLinesAsTheSystemDoes) {
  tests::TempDir dir;
  app::FileJournal journal(dir.file("run.journal"));
  auto opened = journal.create("b.sch");
  opened.sink->append(headOf("b.sch", opened.started, "--all --start 1"));
  journal.appendTo(dir.file("run.journal"), app::journalCompleted());
  const std::string text = tests::TempDir::read(dir.file("run.journal"));
#ifdef _WIN32
  EXPECT_NE(text.find("varnel-journal 3\r\ndesign b.sch\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.size() - 11), "completed\r\n");
#else
  EXPECT_EQ(text.find('\r'), std::string::npos) << text;
#endif
  EXPECT_EQ(app::parseJournal(text).end, app::Journal::End::completed);
}

// Which journals hold a run to close before anything else: one cut off in
// mid-run, or one whose renames were all made but whose ECO file never
// reached its place; and which recovery choices fit each.
TEST(JournalFormat, SaysWhichRunsMustBeClosedAndHow) {
  const std::string head = "design b.sch\nstarted 2026-12-07T16:05:09Z\nsettings --all --start 1\n";
  const std::string forced = head + "eco force-read C:\\t\\b.eco\nplanned 1\nplan 1 R5 R1\n";
  const std::string none = head + "eco none\nplanned 1\nplan 1 R5 R1\n";
  const std::string renamed = "rename 1 R5 R1\n";
  using app::Recovery;
  struct Case {
    std::string text;
    bool cutOff, undelivered;
    std::vector<Recovery> fitting;
  };
  const std::vector<Recovery> inMidRun{Recovery::finish, Recovery::takeBack, Recovery::leave};
  const std::vector<Recovery> toDeliver{Recovery::send, Recovery::write, Recovery::leave};
  const std::vector<Case> cases{
      {"varnel-journal 3\n" + forced + renamed, true, false, inMidRun},
      {"varnel-journal 3\n" + forced + renamed + "completed\n", false, true, toDeliver},
      {"varnel-journal 3\n" + forced + renamed + "failed 462 gone\n", false, true, toDeliver},
      {"varnel-journal 3\n" + forced + renamed + "completed\ndelivering\n", false, true, toDeliver},
      {"varnel-journal 3\n" + forced + renamed + "completed\ndelivering\ndelivered\n",
       false,
       false,
       {}},
      {"varnel-journal 3\n" + forced + renamed + "completed\nundelivered\nrecovered leave\n",
       false,
       false,
       {}},
      {"varnel-journal 3\n" + forced + "failed 462 gone\n", false, false, {}},
      {"varnel-journal 3\n" + none + renamed + "completed\n", false, false, {}},
      // Journals written before delivery was recorded count as delivered once ended.
      {"varnel-journal 2\n" + forced + renamed + "completed\n", false, false, {}},
      {"varnel-journal 2\n" + forced + renamed, true, false, inMidRun},
  };
  for (const Case& c : cases) {
    const app::Journal journal = app::parseJournal(c.text);
    EXPECT_EQ(journal.cutOff(), c.cutOff) << c.text;
    EXPECT_EQ(journal.undelivered(), c.undelivered) << c.text;
    EXPECT_EQ(journal.needsClosing(), c.cutOff || c.undelivered) << c.text;
    for (Recovery choice :
         {Recovery::finish, Recovery::takeBack, Recovery::leave, Recovery::send, Recovery::write}) {
      const auto unfit = app::unfitRecovery(journal, "/j/b.journal", choice);
      const bool fits = std::count(c.fitting.begin(), c.fitting.end(), choice) > 0;
      EXPECT_EQ(!unfit, fits) << c.text << app::recoveryWord(choice);
      if (unfit) {
        EXPECT_EQ(unfit->number(), base::errors::kRecoveryUnfit);
      }
      if (unfit && c.fitting.empty()) {
        EXPECT_NE(unfit->text().find("is closed already"), std::string::npos) << unfit->text();
      }
    }
  }
}

TEST(JournalFormat, RefusesATextThatIsNoJournalNamingTheLine) {
  for (const auto& [text, line] : std::vector<std::pair<std::string, std::string>>{
           {"", "line 1"},
           {"varnel-journal 4\n", "line 1"},
           {"varnel-journal 2\neco sent C:\\x.eco\n", "line 2"},
           {"varnel-journal 3\ndelivered now\n", "line 2"},
           {"varnel-journal 1\ndesign b\nrename x R1 R2\n", "line 3"},
           {"varnel-journal 1\nrename 1 R%G1 R2\n", "line 2"},
           {"varnel-journal 1\nrenamed 1 R1 R2\n", "line 2"}}) {
    try {
      app::parseJournal(text);
      FAIL() << text;
    } catch (const base::Error& e) {
      EXPECT_EQ(e.number(), base::errors::kNotAJournal);
      EXPECT_NE(e.text().find(line), std::string::npos) << e.text();
    }
  }
}

TEST(JournalFormat, SaysTheSettingsAsTheOfflineRunnerTakesThem) {
  renumber::RunSettings settings;
  EXPECT_EQ(app::requestText(app::renumbering(settings, app::EcoOutput::none)), "--all --start 1");
  settings.scope = renumber::RunScope::selectedComponents;
  settings.conflictRule = renumber::ConflictRule::renameDuplicates;
  settings.start = -3;
  EXPECT_EQ(app::requestText(app::renumbering(settings, app::EcoOutput::forceReadInPcb)),
            "--selected --duplicates --start -3 --eco force-read");
  EXPECT_EQ(app::requestText(app::takingBack({}, "/j/x.journal", app::EcoOutput::writeOnly)),
            "--undo /j/x.journal");
}

// An engine whose runs keep journals.
struct Journaled : Engine {
  explicit Journaled(const std::string& parts) : Engine(design(parts)) { journals.keep = true; }
  std::string lastJournal() const { return journals.texts.rbegin()->second; }
};

TEST(RunJournal, RecordsEveryRenameAndHowTheRunEnded) {
  Journaled e("R5 R6 TP");
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.outcome.journal, "/journals/test.sch 1.journal");
  EXPECT_EQ(e.lastJournal(),
            "varnel-journal 3\ndesign test.sch\nstarted 2026-12-07T16:05:09Z\n"
            "settings --all --start 1\neco none\nplanned 2\nplan 1 R5 R1\nplan 2 R6 R2\n"
            "rename 1 R5 R1\nrename 2 R6 R2\ncompleted\n");
  ASSERT_FALSE(e.runAll()) << "R1 R2 TP: moved aside and back";
  EXPECT_EQ(e.journals.texts.size(), 2u);
  Journaled nothing("R1 R2");
  nothing.options.selected = true;
  ASSERT_FALSE(nothing.runSelected());
  EXPECT_TRUE(nothing.journals.texts.empty()) << "a run that renames nothing keeps no journal";
}

TEST(RunJournal, AJournalThatCannotBeStartedRefusesTheRun) {
  Journaled e("R5 R6");
  e.journals.appendFailure = base::Error(75, "Path/File access error: disk full");
  e.journals.failFromAppend = 1;
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->text(),
            "The run's journal could not be written: Path/File access error: "
            "disk full. Nothing was renamed.");
  EXPECT_EQ(e.names(), words("R5 R6"));
}

// The plan is on the disk before PowerLogic renames anything, and so is the
// end; the marks between are only flushed.
TEST(RunJournal, WritesThePlanAndTheEndThroughToTheDisk) {
  Journaled e("R5 R6");
  e.host->onRenamed([&](const standin::RenameRecord&) {
    const std::string& through = e.journals.writtenThrough.begin()->second;
    EXPECT_NE(through.find("plan 2 R6 R2\n"), std::string::npos) << through;
    EXPECT_EQ(through.find("rename "), std::string::npos) << through;
  });
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.journals.writtenThrough.begin()->second, e.lastJournal());
  Journaled full("R5 R6");
  full.journals.failWriteThrough = true;
  const auto error = full.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->text(),
            "The run's journal could not be written: the disk is full. Nothing was renamed.");
  EXPECT_EQ(full.names(), words("R5 R6"));
  EXPECT_TRUE(full.host->renames().empty());
}

// PowerLogic fails for good at every call of a run in turn: the journal
// holds exactly the renames the design underwent, and says how it ended.
TEST(RunJournal, HoldsExactlyTheRenamesMadeWhereverPowerLogicDies) {
  int withRenames = 0;
  for (std::int64_t k = 1; k < 60; ++k) {
    Journaled e("R3 R1 C2 R2 TP C1");
    e.host->resetCounts();
    e.host->failCall(k, base::Error(0x800706BA, "The RPC server is unavailable"), true);
    const auto error = e.runAll();
    if (!error) break;  // past the run's last call
    std::vector<model::Rename> underwent = e.host->renames();
    if (e.journals.texts.empty()) {
      EXPECT_TRUE(underwent.empty()) << k;
      continue;
    }
    const app::Journal journal = app::parseJournal(e.lastJournal());
    EXPECT_EQ(journal.renames, underwent) << k;
    EXPECT_EQ(journal.end, app::Journal::End::failed) << k;
    if (underwent.empty()) continue;
    EXPECT_NE(base::userMessage(*error).find("The journal " + e.outcome.journal + " records them."),
              std::string::npos)
        << k;
    ++withRenames;
  }
  EXPECT_GT(withRenames, 5);
}

TEST(Undo, TakesARunBackAndMarksItsJournal) {
  Journaled e("R5 R6 C9 TP C1");
  const auto before = e.names();
  ASSERT_FALSE(e.runAll());
  const std::string first = e.outcome.journal;
  ASSERT_NE(e.names(), before);
  const auto outcome = e.session.run(
      app::takingBack(app::parseJournal(e.lastJournal()), first, app::EcoOutput::none));
  ASSERT_FALSE(outcome.error) << base::userMessage(*outcome.error);
  EXPECT_EQ(e.names(), before);
  const app::Journal marked = app::parseJournal(e.journals.texts.at(first));
  EXPECT_EQ(marked.undoneBy, std::vector<std::string>{outcome.journal});
  const app::Journal undo = app::parseJournal(e.journals.texts.at(outcome.journal));
  EXPECT_EQ(undo.settings, "--undo " + first);
  EXPECT_EQ(undo.undoOf, first);
  EXPECT_NE(e.journals.texts.at(outcome.journal).find("\nundo-of "), std::string::npos);
  EXPECT_EQ(undo.end, app::Journal::End::completed);
}

TEST(Undo, TwoUndosTakeBackTwoRuns) {
  Journaled e("R5* R6 R9* C3");
  const auto before = e.names();
  e.options.start = "7";
  ASSERT_FALSE(e.runAll());
  const std::string first = e.outcome.journal;
  e.options.start = "1";
  e.options.duplicate = true;
  ASSERT_FALSE(e.runSelected());
  const std::string second = e.outcome.journal;
  for (const std::string& journal : {second, first}) {
    const auto outcome = e.session.run(app::takingBack(
        app::parseJournal(e.journals.texts.at(journal)), journal, app::EcoOutput::none));
    ASSERT_FALSE(outcome.error) << base::userMessage(*outcome.error);
  }
  EXPECT_EQ(e.names(), before);
}

TEST(Undo, IsRefusedWithTheDifferencesWhenTheDesignChanged) {
  auto after = design("R1 R2 C1");
  const std::vector<model::Rename> run{{1, "R5", "R1"}, {2, "R6", "R2"}};
  EXPECT_EQ(renumber::planUndo(after, run).renames,
            (std::vector<model::Rename>{{2, "R2", "R6"}, {1, "R1", "R5"}}));
  after.parts[1].designator = "R7";  // renamed by hand since
  try {
    renumber::planUndo(after, run);
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), base::errors::kDesignChanged);
    EXPECT_EQ(e.text(),
              "The design changed since that run; nothing was renamed:\n"
              "position 2 is R7; the run left R2 there");
  }
  auto taken = design("R1 R2 R5");
  try {
    renumber::planUndo(taken, run);
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.text(),
              "The design changed since that run; nothing was renamed:\n"
              "R5 is taken by the component at position 3");
  }
  EXPECT_THROW(renumber::planUndo(design("R1"), run), base::Error) << "a component fewer";
}

TEST(Undo, ASessionRefusesItWithNothingRenamed) {
  Journaled e("R5 R6");
  ASSERT_FALSE(e.runAll());
  const std::string journal = e.outcome.journal;
  e.host->ActiveDocument()->Components()->Item(1)->setName("R9");
  const auto outcome = e.session.run(app::takingBack(
      app::parseJournal(e.journals.texts.at(journal)), journal, app::EcoOutput::none));
  ASSERT_TRUE(outcome.error);
  EXPECT_EQ(outcome.error->number(), base::errors::kDesignChanged);
  EXPECT_EQ(e.names(), words("R9 R2"));
  EXPECT_FALSE(app::parseJournal(e.journals.texts.at(journal)).undone());
}

// Generated designs over every option combination: the preview's list is the
// run's change log, and the preview renames nothing.
TEST(Preview, EqualsTheRunAndRenamesNothing) {
  std::mt19937 random(5);
  int compared = 0;
  for (int trial = 0; trial < 120; ++trial) {
    std::string parts;
    std::set<std::string> used;
    const int size = 1 + static_cast<int>(random() % 25);
    while (static_cast<int>(used.size()) < size) {
      std::string name = std::string(random() % 2 ? "R" : "C") + std::to_string(random() % 40);
      if (random() % 10 == 0) name += "A";
      if (!used.insert(name).second) continue;
      parts += name + (random() % 3 == 0 ? "* " : " ");
    }
    for (int combination = 0; combination < 3; ++combination) {
      Engine run(design(parts)), preview(design(parts));
      const int start = static_cast<int>(random() % 7) - 2;
      for (Engine* e : {&run, &preview}) {
        e->options.start = std::to_string(start == 0 ? 1 : start);
        e->options.all = combination == 0;
        e->options.selected = combination > 0;
        e->options.duplicate = combination == 2;
        e->options.assign = combination == 1;
      }
      const auto planned = preview.session.preview(preview.options.request());
      const auto made = run.session.run(run.options.request());
      ASSERT_EQ(planned.error.has_value(), made.error.has_value()) << parts;
      EXPECT_EQ(planned.log.entries(), made.log.entries()) << parts;
      EXPECT_EQ(planned.ignored, made.ignored) << parts;
      EXPECT_TRUE(preview.host->renames().empty());
      EXPECT_EQ(preview.host->callsByOperation().count("Component.setName"), 0u);
      ++compared;
    }
  }
  EXPECT_EQ(compared, 360);
}

struct Offline {
  int status;
  std::string out, err;
};

Offline offline(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = standin::runOffline(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(OfflineUndo, PreviewsJournalsAndUndoesFromTheCommandLine) {
  tests::TempDir dir;
  const std::string board =
      dir.write("b.design", "design b.sch\nU5 0 0\nU9 10 0 selected\nU1A 20 0\nU7 30 0\n");
  const std::string after = dir.file("after.design"), journal = dir.file("run.journal");

  const Offline preview = offline({board, "--all", "--preview", "--out", after, "--eco",
                                   dir.file("x.eco"), "--journal", journal});
  const Offline run = offline({board, "--all", "--out", after, "--journal", journal});
  EXPECT_EQ(preview.status, run.status);
  EXPECT_EQ(preview.out, run.out);
  EXPECT_EQ(preview.err, run.err);
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.eco"))) << "a preview writes no file";

  const app::Journal written = app::parseJournal(tests::TempDir::read(journal));
  EXPECT_EQ(written.settings, "--all --start 1");
  EXPECT_EQ(written.end, app::Journal::End::completed);

  const Offline undo = offline({after, "--undo", journal, "--out", dir.file("back.design")});
  EXPECT_EQ(undo.status, 0) << undo.err;
  // The run's lines reversed, each pair swapped.
  std::string reversed;
  std::istringstream lines(run.out);
  for (std::string from, to; lines >> from >> to;)
    if (from != "ignored:") reversed = to + " " + from + "\n" + reversed;
  EXPECT_EQ(undo.out, reversed);
  EXPECT_EQ(standin::loadDesignFile(dir.file("back.design")), standin::loadDesignFile(board));
  EXPECT_TRUE(app::parseJournal(tests::TempDir::read(journal)).undone());

  const Offline again = offline({board, "--undo", journal});
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err.rfind("error 1005: The design changed since that run", 0), 0u) << again.err;
  EXPECT_EQ(again.out, "");

  for (const char* flag : {"--help", "--version"}) {
    const Offline info = offline({flag});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.err, "");
    EXPECT_EQ(info.out.rfind(flag == std::string("--help") ? "usage: " : "varnel-offline 0.", 0),
              0u)
        << info.out;
  }
  EXPECT_EQ(offline({board, "--undo", journal, "--preview"}).status, 2);
  EXPECT_EQ(offline({board, "--all", "--undo", journal}).status, 2);
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

TEST(JournalFolder, NamesJournalsAfterTheDesignAndTimeKeepsTheNewestAndFindsTheLastRun) {
  tests::TempDir dir;
  app::JournalFolder folder(dir.file("Varnel/Journal"), /*keep=*/3);
  EXPECT_FALSE(folder.newestNotUndone("board.sch"));
  std::vector<std::string> paths;
  for (int run = 0; run < 4; ++run) {
    auto opened = folder.create("C:\\jobs\\board.sch");
    opened.sink->append(headOf("C:\\jobs\\board.sch",
                               "2026-12-07T16:05:0" + std::to_string(run) + "Z",
                               "--all --start 1") +
                        app::journalRename({1, "R5", "R1"}));
    paths.push_back(opened.sink->path());
  }
  const std::string name = std::filesystem::path(paths[0]).filename().string();
  EXPECT_TRUE(std::regex_match(
      name, std::regex(R"(board \d{4}-\d\d-\d\d \d\d-\d\d-\d\d( \(\d+\))?\.journal)")))
      << name;
  int kept = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.file("Varnel/Journal")))
    kept += entry.path().extension() == ".journal";
  EXPECT_EQ(kept, 3);
  EXPECT_EQ(folder.newestNotUndone("C:\\jobs\\board.sch"), paths[3]);
  folder.appendTo(paths[3], app::journalUndoneBy("undo"));
  EXPECT_EQ(folder.newestNotUndone("C:\\jobs\\board.sch"), paths[2]);
  EXPECT_FALSE(folder.newestNotUndone("other.sch"));
  EXPECT_EQ(app::journalBaseName("C:\\jobs\\my.board.sch"), "my");
  EXPECT_EQ(app::journalBaseName(""), "design");
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// The RGB rows of a PNG of stored deflate blocks, as this program writes them.
std::vector<std::uint8_t> decodeStoredPng(const std::string& png, int& width, int& height) {
  auto be32 = [&](std::size_t at) {
    return (std::uint32_t(std::uint8_t(png[at])) << 24) | (std::uint8_t(png[at + 1]) << 16) |
           (std::uint8_t(png[at + 2]) << 8) | std::uint8_t(png[at + 3]);
  };
  std::string data;
  for (std::size_t at = 8; at + 8 <= png.size();) {
    const std::uint32_t length = be32(at);
    const std::string type = png.substr(at + 4, 4);
    if (type == "IHDR") width = int(be32(at + 8)), height = int(be32(at + 12));
    if (type == "IDAT") data += png.substr(at + 8, length);
    at += 12 + length;
  }
  std::string raw;
  for (std::size_t at = 2; at + 5 <= data.size();) {  // after the zlib header
    const std::size_t length = std::uint8_t(data[at + 1]) | (std::uint8_t(data[at + 2]) << 8);
    raw += data.substr(at + 5, length);
    const bool last = data[at] & 1;
    at += 5 + length;
    if (last) break;
  }
  std::vector<std::uint8_t> rgb;
  for (int row = 0; row < height; ++row) {
    const std::size_t start = std::size_t(row) * (1 + std::size_t(width) * 3) + 1;
    rgb.insert(rgb.end(), raw.begin() + start, raw.begin() + start + std::size_t(width) * 3);
  }
  return rgb;
}

TEST(Map, DrawsTheLineThroughTheComponentsInNumberingOrder) {
  const std::vector<app::MapPoint> map{{0, 0, "R1", false}, {100, 100, "R2", true}};
  const auto rgb = app::mapPixels(map, 200, 200);
  const auto at = app::mapLayout(map, 200, 200, 16);
  auto pixel = [&](int x, int y) {
    const std::size_t k = (std::size_t(y) * 200 + x) * 3;
    return std::vector<int>{rgb[k], rgb[k + 1], rgb[k + 2]};
  };
  EXPECT_EQ(at[0].x, 16);
  EXPECT_EQ(at[0].y, 183) << "the sheet's Y grows upwards";
  EXPECT_EQ(pixel(at[0].x, at[0].y), (std::vector<int>{0, 0, 0})) << "renamed: black";
  EXPECT_EQ(pixel(at[1].x, at[1].y), (std::vector<int>{150, 150, 150})) << "keeps its name";
  EXPECT_EQ(pixel((at[0].x + at[1].x) / 2, (at[0].y + at[1].y) / 2), (std::vector<int>{0, 90, 200}))
      << "the line between them";
  EXPECT_EQ(pixel(5, 5), (std::vector<int>{255, 255, 255}));
}

TEST(Map, EachLabelGoesToTheCornerAwayFromTheLine) {
  using app::LabelCorner;
  // Down a column, then up to the right: screen Y grows downwards.
  const std::vector<app::MapPixel> zigzag{{0, 0}, {0, 100}, {100, 0}, {100, 100}};
  EXPECT_EQ(app::labelCorner(zigzag, 0), LabelCorner::aboveRight) << "the line leaves downwards";
  EXPECT_EQ(app::labelCorner(zigzag, 1), LabelCorner::belowLeft);
  EXPECT_EQ(app::labelCorner(zigzag, 2), LabelCorner::aboveRight) << "both segments go down";
  EXPECT_EQ(app::labelCorner(zigzag, 3), LabelCorner::belowRight);
  EXPECT_EQ(app::labelCorner({{5, 5}}, 0), LabelCorner::aboveRight) << "a point alone";
  EXPECT_EQ(app::labelCorner({{0, 0}, {100, -100}}, 0), LabelCorner::belowLeft);
}

TEST(Map, TheOfflineRunnerWritesItAsAPng) {
  tests::TempDir dir;
  const std::string board = dir.write(
      "b.design", "design b.sch\nR5 0 0 selected\nR9 300 200 selected\nR7 100 0 selected\n");
  const std::string png = dir.file("map.png");
  std::ostringstream out, err;
  ASSERT_EQ(standin::runOffline({board, "--selected", "--preview", "--map", png}, out, err), 0)
      << err.str();
  int width = 0, height = 0;
  const auto rgb = decodeStoredPng(tests::TempDir::read(png), width, height);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
  const std::vector<app::MapPoint> expected{
      {0, 0, "R1", false}, {100, 0, "R2", false}, {300, 200, "R3", false}};
  EXPECT_EQ(rgb, app::mapPixels(expected, 800, 600));
  EXPECT_EQ(standin::runOffline({board, "--all", "--map", png}, out, err), 2) << "selected only";
}

}  // namespace
}  // namespace varnel
