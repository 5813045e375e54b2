#include "standin/memory_designs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/journal_store.h"
#include "fixtures.h"
#include "temp_dir.h"

namespace varnel::app {
namespace {

using tests::TempDir;

struct Result {
  int status;
  std::string out, err;
};

Result offline(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = standin::runOffline(args, out, err);
  return {status, out.str(), err.str()};
}

class CommandLineRuns : public testing::Test {
 protected:
  TempDir dir;
  std::string board =
      dir.write("board.design", "design board.sch\nU5 0 0\nU9 10 0 selected\nU1A 20 0\nU7 30 0\n");
};

TEST_F(CommandLineRuns, PrintsTheChangeLogAndIgnoredDesignators) {
  const auto r = offline({board, "--all"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "U5 U11\nU11 U1\nU9 U2\nU7 U4\nignored: U1A\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(CommandLineRuns, SavesTheDesignAndCountsHostCalls) {
  const auto r =
      offline({board, "--selected", "--start", "3", "--out", dir.file("after.design"), "--stats"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "U9 U3\n");
  EXPECT_EQ(r.err.rfind("host calls: ", 0), 0u) << r.err;
  EXPECT_EQ(TempDir::read(dir.file("after.design")),
            "design board.sch\nU5 0 0\nU3 10 0 selected\nU1A 20 0\nU7 30 0\n");
}

TEST_F(CommandLineRuns, NumbersByBoardPositionFromThePlacementFile) {
  const std::string design =
      dir.write("pcb.design", "design pcb.sch\nR1 0 0\nR2 0 0\nMH1 0 0\nR3 0 0\nR4 0 0\nC1 0 0\n");
  const std::string placement =
      dir.write("pcb.csv",
                "Designator,Mid X,Mid Y,Layer\nR4,10,0,Top\nR3,20,0,Top\nR1,5,0,Bottom\n"
                "R2,30,0,Bottom\nC1,0,0,Top\nQ7,1,1,Top\n");
  const auto r = offline({design, "--all", "--board", placement, "--bottom-start", "101", "--out",
                          dir.file("after.design"), "--journal", dir.file("run.journal")});
  EXPECT_EQ(r.status, 0) << r.err;
  // The bottom side seen from below: R2, at the larger X, comes first.
  EXPECT_EQ(TempDir::read(dir.file("after.design")),
            "design pcb.sch\nR102 0 0\nR101 0 0\nMH1 0 0\nR2 0 0\nR1 0 0\nC1 0 0\n");
  EXPECT_NE(r.out.find("Not on the board: MH1\nOnly on the board: Q7\n"), std::string::npos)
      << r.out;
  const std::string journal = TempDir::read(dir.file("run.journal"));
  EXPECT_NE(journal.find("--board \"" + placement + "\" --bottom-start 101 --order columns-first"),
            std::string::npos)
      << journal;
  EXPECT_NE(journal.find("; placement file " + placement + ", " +
                         std::to_string(TempDir::read(placement).size()) + " bytes, CRC-32 "),
            std::string::npos)
      << journal;
  // Its undo is any run's: the schematic gets its names back.
  const auto undone = offline({dir.file("after.design"), "--undo", dir.file("run.journal"), "--out",
                               dir.file("undone.design")});
  EXPECT_EQ(undone.status, 0) << undone.err;
  EXPECT_EQ(TempDir::read(dir.file("undone.design")), TempDir::read(design));
  const struct {
    std::vector<std::string> args;
    int status;
    std::string says;
  } refusals[] = {
      {{"--all", "--board", placement, "--sides", "left"}, 2, "Sides: \"left\" is not one of"},
      {{"--all", "--board", placement, "--bottom-start", "0"}, 2, "Bottom side starts at: \"0\""},
      {{"--all", "--sides", "top"}, 2, "--sides need --board"},
      {{"--all", "--board", dir.file("none.csv")}, 1, "error 53"},
      {{"--all", "--board", design}, 1, "has no column of designators"},
      {{"--all", "--board", placement, "--bottom-start", "2"}, 1, "would reach R2"},
  };
  for (const auto& refusal : refusals) {
    std::vector<std::string> args{design};
    args.insert(args.end(), refusal.args.begin(), refusal.args.end());
    const auto refused = offline(args);
    EXPECT_EQ(refused.status, refusal.status) << refusal.says;
    EXPECT_NE(refused.err.find(refusal.says), std::string::npos) << refused.err;
  }
}

TEST_F(CommandLineRuns, WritesTheEcoFileAsWriteOnly) {
  const auto r = offline({board, "--all", "--eco", dir.file("run.eco")});
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string header = "*PADS-ECO-V3.0-MILS*\r\n\r\n*RENPART*\r\n*REMARK*  AUTORENUMBER\r\n";
  EXPECT_EQ(TempDir::read(dir.file("run.eco")),
            header + "U5 U11\r\n*END*\r\n\r\n" + header + "U11 U1\r\nU9 U2\r\nU7 U4\r\n*END*\r\n");
}

TEST_F(CommandLineRuns, ARunWithNothingToRenameSaysSoAndWritesNoEcoFile) {
  const std::string none = dir.write("none.design", "design none.sch\nU7 0 0\nU2 10 0\n");
  for (const char* preview : {"", "--preview"}) {
    std::vector<std::string> args{none, "--selected", "--eco", dir.file("run.eco")};
    if (*preview) args.push_back(preview);
    const auto r = offline(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Nothing to rename.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("run.eco")));
  }
}

TEST_F(CommandLineRuns, AnUnwritableEcoFileIsRefusedBeforeAnyRename) {
  const auto r = offline(
      {board, "--all", "--eco", dir.file("missing/run.eco"), "--out", dir.file("after.design")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  // The path once: the file system's text names it.
  EXPECT_EQ(r.err, "error 76: The ECO file cannot be written: Path not found: " +
                       dir.file("missing/run.eco") + ". Nothing was renamed.\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("after.design"))) << "a refused run saves nothing";
}

TEST_F(CommandLineRuns, RefusesIllegalStartTextsWithTheWindowsMessages) {
  for (const char* bad : {"", "0", "-0", " +0 ", "abc", "1e3", "7 7", "40000", "-32769", "&H10"}) {
    auto all = offline({board, "--all", "--start", bad});
    EXPECT_EQ(all.status, 2) << bad;
    const std::string rule =
        ": Start from must be a whole number from -32768 to 32767, other "
        "than 0 (\"" +
        std::string(bad) + "\")\n";
    EXPECT_EQ(all.err, "Illegal Value" + rule) << bad;
    auto selected = offline({board, "--selected", "--duplicates", "--start", bad});
    EXPECT_EQ(selected.err, "Illegal value in Start textbox" + rule) << bad;
    EXPECT_EQ(selected.out, "");
  }
  EXPECT_EQ(offline({board, "--all", "--start", "-5"}).status, 0);
  EXPECT_EQ(offline({board, "--all", "--start", " +5 "}).out,
            offline({board, "--all", "--start", "5"}).out);
}

TEST_F(CommandLineRuns, ReportsAnUnreadableDesignWithItsLine) {
  const auto bad = dir.write("bad.design", "design d\nR1 0\n");
  const auto r = offline({bad, "--all"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, bad +
                       ":2: expected 'DESIGNATOR X Y' optionally followed by 'selected', "
                       "got 'R1 0'\n");
  EXPECT_EQ(offline({dir.file("none.design"), "--all"}).status, 1);
}

TEST_F(CommandLineRuns, ReportsARefusedRunAsAnError) {
  const auto r = offline({board, "--all", "--start", "32767"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("error 6: Overflow", 0), 0u) << r.err;
  const auto empty = dir.write("empty.design", "design e\n");
  EXPECT_EQ(offline({empty, "--all"}).err, "error 0x80040202: The design has no components\n");
}

TEST_F(CommandLineRuns, RefusesCommandLinesOfAnyOtherFormNamingWhatIsWrong) {
  for (const auto& [args, problem] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, "a design file is needed"},
           {{board}, "choose --all, --selected, --undo or --recover"},
           {{board, "--all", "--selected"},
            "--all, --selected, --undo and --recover exclude each other"},
           {{board, "--recover", "j", "--all", "--leave"},
            "--all, --selected, --undo and --recover exclude each other"},
           {{board, "--recover", "j"},
            "--recover needs one of --finish, --take-back, --leave, --send and --write"},
           {{board, "--recover", "j", "--finish", "--leave"},
            "--recover needs one of --finish, --take-back, --leave, --send and --write"},
           {{board, "--all", "--leave"},
            "--finish, --take-back, --leave, --send and --write need --recover"},
           {{board, "--recover", "j", "--send"},
            "--send is for Varnel: varnel-offline has no PowerPCB"},
           {{board, "--recover", "j", "--write"}, "--write needs --eco"},
           {{board, "--all", "--eco", "x.eco", "--crash-in-delivery"},
            "--crash-in-delivery needs --eco and --out"},
           {{board, "--all", "--crash-after", "3"}, "--crash-after needs --out"},
           {{board, "--all", "--out", "o", "--crash-after", "0"},
            "--crash-after needs a number of renames"},
           {{board, "--all", "--assign"}, "--assign needs --selected"},
           {{board, "--selected", "--assign", "--duplicates"},
            "--assign and --duplicates exclude each other"},
           {{board, "--all", "--start"}, "--start needs a value"},
           {{board, "--all", "--bogus"}, "unknown option --bogus"},
           {{board, "--all", "--map", "m.png"}, "--map needs --selected or --board"},
           {{board, board, "--all"}, "one design file only: " + board},
           {{board, "--undo", "j", "--keep-right"},
            "--keep-right, --lock, --only and --start-for go with --all or --selected"},
           {{board, "--all", "--lock"}, "--lock needs a value"},
           {{board, "--all", "--order", "rows-first"},
            "--order, --across, --down and --grid go with --selected or --board"},
           {{"--help", "--all"}, "--help stands alone"}}) {
    const auto r = offline(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind(problem + "\nusage: varnel-offline", 0), 0u) << r.err;
  }
}

TEST_F(CommandLineRuns, TakesTheNumberingRulesAndNamesAnEntryItCannotRead) {
  const auto r = offline({board, "--all", "--keep-right", "--lock", "U9", "--start-for", "U=7"});
  EXPECT_EQ(r.status, 0) << r.err;
  // U9 is locked, so the count goes past it; U7 moves straight to U10, then U5 to U7.
  EXPECT_EQ(r.out, "U7 U10\nU5 U7\nignored: U1A\n");
  const auto wrong = offline({board, "--all", "--only", "U r"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err,
            "Only these prefixes: \"r\" is not a prefix (capital letters A to Z only).\n");
}

TEST_F(CommandLineRuns, TakesThePlacementOrderAndWritesItInTheJournal) {
  dir.write("row.design",
            "design row.sch\nR1 0 0 selected\nR2 100 0 selected\nR3 200 -3 selected\n");
  const std::string row = dir.file("row.design");
  const auto r = offline({row, "--selected", "--order", "rows-first", "--across", "right-to-left",
                          "--grid", "10", "--journal", dir.file("j")});
  EXPECT_EQ(r.status, 0) << r.err;
  // One row with the grid of 10, numbered from the right: R3, R2, R1.
  EXPECT_EQ(r.out, "R3 R4\nR1 R3\n");
  EXPECT_NE(TempDir::read(dir.file("j"))
                .find("settings --selected --assign --start 1 --order rows-first --across "
                      "right-to-left --grid 10"),
            std::string::npos);
  const auto wrong = offline({row, "--selected", "--down", "upwards"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err, "Down: \"upwards\" is not one of top-to-bottom or bottom-to-top.\n");
}

TEST_F(CommandLineRuns, ADesignFileThatCannotBeReadIsAnErrorOfTheOneForm) {
  const auto r = offline({dir.file("missing.design"), "--all"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error 53: File not found: " + dir.file("missing.design") + "\n");
}

}  // namespace
}  // namespace varnel::app

namespace varnel::app {
namespace {

// PowerPCB reading the file from the disk, as the real one does.
struct DiskPcb final : host::PcbConnector {
  std::vector<std::string> read;  // each file's bytes as it was read
  struct Document final : host::PcbDocument {
    DiskPcb* pcb;
    explicit Document(DiskPcb* p) : pcb(p) {}
    void ReadEcoFile(const std::string& path) override {
      pcb->read.push_back(tests::TempDir::read(path));
    }
  };
  struct App final : host::PcbApplication {
    DiskPcb* pcb;
    explicit App(DiskPcb* p) : pcb(p) {}
    host::Ref<host::PcbDocument> ActiveDocument() override { return host::makeRef<Document>(pcb); }
  };
  std::shared_ptr<host::PcbApplication> attach() override { return std::make_shared<App>(this); }
};

struct NoCounts final : CallCounter {
  void resetCounts() override {}
  std::string callStatistics() override { return {}; }
};

struct Attacher final : host::HostAttacher {
  std::shared_ptr<host::Application> app;  // empty: PowerLogic is not running
  std::shared_ptr<host::Application> attach() override {
    if (!app) throw base::errors::cannotCreateObject();
    return app;
  }
};

// Varnel.exe's command line: no PowerLogic is said in words first, and
// --force-read stands alone, or with --eco keeps a copy of the file read.
TEST(CommandLine, SaysPowerLogicIsNotRunningAndForceReadNeedsNoFile) {
  TempDir dir;
  Attacher attacher;
  DiskPcb pcb;
  NoJournals journals;
  NoCounts calls;
  auto run = [&](std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = runCommandLine(args, out, err, attacher, pcb, journals, calls);
    return Result{status, out.str(), err.str()};
  };
  const Result missing = run({"--all"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err.rfind("PowerLogic is not running: start it and open your design, then run "
                              "Varnel again.\nerror 429: ",
                              0),
            0u)
      << missing.err;
  attacher.app = std::make_shared<standin::MemoryHost>(tests::design("R5 R6"));
  const Result alone = run({"--all", "--force-read"});
  EXPECT_EQ(alone.status, 0) << alone.err;
  ASSERT_EQ(pcb.read.size(), 1u);
  EXPECT_NE(pcb.read[0].find("R6 R2"), std::string::npos) << pcb.read[0];
  const std::string kept = dir.file("kept.eco");
  const Result withCopy = run({"--all", "--start", "3", "--force-read", "--eco", kept});
  EXPECT_EQ(withCopy.status, 0) << withCopy.err;
  ASSERT_EQ(pcb.read.size(), 2u);
  EXPECT_EQ(TempDir::read(kept), pcb.read[1]) << "the file read, kept";
}

}  // namespace
}  // namespace varnel::app
