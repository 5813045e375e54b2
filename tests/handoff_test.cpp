// Where the ECO file goes at the end of a run, with fakes for the dialog,
// the files and PowerPCB; and the report of ignored designators.
#include <gtest/gtest.h>

#include <regex>

#include "eco/forced_read_file_name.h"
#include "fixtures.h"

namespace varnel {
namespace {

using tests::design;
using tests::Engine;
using tests::words;

const char* kHeading =
    "Alpha Reference \r\nDesignators Ignored:\r\n-----------------------------------\r\n";

class HandOff : public testing::Test {
 protected:
  Engine e{design("R5 R6")};  // a run over it renames R5>R1 R6>R2
  HandOff() {
    e.host->open([] {
      auto d = design("R5 R6");
      d.name = "abc.def";
      return d;
    }());
    e.link.takeDesign();
    e.options.send = true;
  }
  void forcedRead() {
    e.options.ecoOnly = false;
    e.options.direct = true;
  }
  void writeOnly(const std::string& answer) {
    e.options.ecoOnly = true;
    e.options.direct = false;
    e.dialog.answer = answer;
  }
};

TEST_F(HandOff, NothingHappensWithoutTheEcoOption) {
  e.options.send = false;
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.dialog.asked, 0);
  EXPECT_TRUE(e.journal.empty());
}

TEST_F(HandOff, WriteOnlyWritesWhereTheUserChose) {
  writeOnly("/jobs/board");
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.dialog.filterSeen, "ECO files (*.eco) |*.eco|");
  EXPECT_EQ(e.dialog.proposedSeen, "abc.eco");
  EXPECT_EQ(e.dialog.writtenSeen, words("/jobs/board")) << "its folder is offered next time";
  EXPECT_EQ(e.journal, (std::vector<std::string>{"check /jobs/board", "write /jobs/board"}));
  EXPECT_NE(e.files.files.at("/jobs/board").find("R5 R1\r\nR6 R2\r\n"), std::string::npos);
}

TEST_F(HandOff, TheFileIsAskedForOnceTheRunIsWorkedOutAndBeforeItsFirstRename) {
  writeOnly("/jobs/board.eco");
  e.dialog.whileOpen = [&] { EXPECT_TRUE(e.host->renames().empty()); };
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.dialog.asked, 1);
  // A refused run asks nothing.
  e.options.start = "32767";
  e.host->open(design("R5 R6"));
  e.link.takeDesign();
  ASSERT_TRUE(e.runAll());
  EXPECT_EQ(e.dialog.asked, 1);
}

TEST_F(HandOff, ACancelledDialogMeansNoRun) {
  writeOnly("");
  EXPECT_FALSE(e.runAll());
  EXPECT_EQ(e.dialog.asked, 1);
  EXPECT_TRUE(e.journal.empty());
  EXPECT_EQ(e.names(), words("R5 R6"));
  EXPECT_TRUE(e.host->renames().empty());
}

TEST_F(HandOff, ATargetThatCannotBeWrittenIsRefusedByNameBeforeAnyRename) {
  writeOnly("/ro/board.eco");
  e.files.checkFailure = base::Error(70, "Permission denied: /ro/board.eco is read-only");
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), 70);
  EXPECT_EQ(error->text(),
            "The ECO file cannot be written: Permission denied: /ro/board.eco is read-only. "
            "Nothing was renamed.")
      << "the path said once";
  EXPECT_EQ(e.names(), words("R5 R6"));
  e.files.checkFailure = base::Error(70, "Permission denied: the drive is read-only");
  EXPECT_EQ(e.runAll()->text(),
            "The ECO file /ro/board.eco cannot be written: Permission denied: the drive is "
            "read-only. Nothing was renamed.")
      << "named when the cause does not name it";
}

TEST_F(HandOff, AWriteThatFailsAtTheEndPutsTheRenamesInAListFile) {
  writeOnly("/ro/board.eco");
  e.files.failingWrites.emplace("/ro/board.eco", base::Error(70, "Permission denied: disk full"));
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), 70);
  EXPECT_EQ(error->text(),
            "The ECO file /ro/board.eco could not be written: Permission denied: disk full\nNo ECO "
            "file holds the renames made; the full list (old new) is in /temp/Varnel renames.txt:"
            "\nR5 R1\nR6 R2\n");
  EXPECT_EQ(e.files.files.at("/temp/Varnel renames.txt"), "R5 R1\r\nR6 R2\r\n");
  EXPECT_EQ(e.names(), words("R1 R2"));
  EXPECT_TRUE(e.dialog.writtenSeen.empty()) << "a folder that took no file is not offered again";
}

TEST_F(HandOff, ForcedReadReachesPcbFirstThenWritesReadsAndDeletes) {
  forcedRead();
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.journal, (std::vector<std::string>{"attach PowerPCB", "check /temp/abc.eco",
                                                 "write /temp/abc.eco", "read /temp/abc.eco",
                                                 "delete /temp/abc.eco"}));
  ASSERT_EQ(e.pcb.filesRead.size(), 1u);
  EXPECT_NE(e.pcb.filesRead[0].find("R6 R2\r\n*END*\r\n"), std::string::npos);
  EXPECT_TRUE(e.files.files.empty());
}

TEST_F(HandOff, PcbNotRunningRefusesTheRunWithNothingRenamed) {
  forcedRead();
  e.pcb.running = false;
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), 429);
  EXPECT_EQ(error->text(),
            "PowerPCB must be running with the layout open to write and force read the ECO file "
            "(or choose \"Write only\"). PowerPCB said: ActiveX component can't create object. "
            "Nothing was renamed.");
  EXPECT_EQ(e.journal, std::vector<std::string>{"attach PowerPCB"});
  EXPECT_EQ(e.names(), words("R5 R6"));
}

TEST_F(HandOff, AFileThePcbFailedToReadIsKeptAndNamed) {
  forcedRead();
  e.pcb.readFailure = base::Error(0x80004005, "Unspecified error");
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->text(),
            "Write and force read in PCB failed while PowerPCB read /temp/abc.eco: "
            "Unspecified error\nThe ECO file is still at /temp/abc.eco; read it in "
            "by hand.");
  EXPECT_TRUE(e.files.files.count("/temp/abc.eco"));
}

TEST_F(HandOff, AFailedDeleteSaysTheFileWasReadButRemains) {
  forcedRead();
  e.files.deleteFailure = base::Error(75, "Path/File access error: busy");
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_NE(error->text().find("PowerPCB has read the file; it is still at /temp/abc.eco."),
            std::string::npos);
  EXPECT_EQ(e.pcb.filesRead.size(), 1u);
}

TEST_F(HandOff, PowerLogicDyingInMidRunStillSendsTheRenamesMadeToPcb) {
  forcedRead();
  e.host->onRenamed([&](const standin::RenameRecord&) {
    e.host->failCall(1, base::Error(0x800706BA, "The RPC server is unavailable"), true);
  });
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(base::userMessage(*error),
            "The run stopped after 1 of the 2 planned renames. PowerPCB has read them from the "
            "ECO file.\nerror 0x800706BA: The RPC server is unavailable");
  ASSERT_EQ(e.pcb.filesRead.size(), 1u);
  EXPECT_NE(e.pcb.filesRead[0].find("AUTORENUMBER\r\nR5 R1\r\n*END*"), std::string::npos);
}

struct FileNameCase {
  const char* design;
  const char* file;
};

TEST(ForcedReadFileName, KeepsTheFirstPeriodOfTheLastPathComponent) {
  for (const FileNameCase& c : std::vector<FileNameCase>{{"abc.def", "abc."},
                                                         {"my.board.sch", "my."},
                                                         {".hidden", "."},
                                                         {"board", "board."},
                                                         {"..\\..\\x.sch", "x."},
                                                         {"C:\\jobs\\b.sch", "b."},
                                                         {"C:b.sch", "b."},
                                                         {"../up/../c", "c."},
                                                         {"a?b*.sch", "a_b_."}})
    EXPECT_EQ(eco::forcedReadFileName(c.design), std::string(c.file) + "eco") << c.design;
}

// The save dialog's proposal keeps every period but the extension's.
TEST(ForcedReadFileName, TheSaveDialogProposesTheDesignsNameWithEco) {
  for (const FileNameCase& c : std::vector<FileNameCase>{{"board.sch", "board.eco"},
                                                         {"my.board.sch", "my.board.eco"},
                                                         {"board", "board.eco"},
                                                         {".hidden", ".hidden.eco"},
                                                         {"C:\\jobs\\b.sch", "b.eco"},
                                                         {"con.sch", "_con.eco"},
                                                         {"", "design.eco"}})
    EXPECT_EQ(eco::proposedEcoFileName(c.design), c.file) << c.design;
}

// Names Windows would take for a device, change or refuse get a safe form.
TEST(ForcedReadFileName, NeverNamesADeviceNorEndsInADotOrABlank) {
  for (const FileNameCase& c : std::vector<FileNameCase>{{"con.sch", "_con.eco"},
                                                         {"NUL", "_NUL.eco"},
                                                         {"aux", "_aux.eco"},
                                                         {"Com1.sch", "_Com1.eco"},
                                                         {"lpt9.sch", "_lpt9.eco"},
                                                         {"prn .sch", "_prn .eco"},
                                                         {"C:\\jobs\\con", "_con.eco"},
                                                         {"com10.sch", "com10.eco"},
                                                         {"console.sch", "console.eco"},
                                                         {"lpt0", "lpt0.eco"},
                                                         {"", "design.eco"},
                                                         {"..", "design.eco"},
                                                         {"board. .", "board.eco"}})
    EXPECT_EQ(eco::forcedReadFileName(c.design), c.file) << c.design;
  EXPECT_EQ(eco::fileNameOf("nul.sch"), "_nul.sch");
  EXPECT_EQ(eco::fileNameOf("board.sch. "), "board.sch");
  EXPECT_EQ(eco::fileNameOf(" "), "design");
}

TEST(IgnoredReport, ListsTheNamesBelowTheHeading) {
  Engine e(design("GND VCC R1"));
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.report.shown, std::string(kHeading) + "GND\r\nVCC\r\n");
  EXPECT_EQ(std::string(kHeading).size(), 77u);
}

TEST(IgnoredReport, AppendsWhileOpenAndStartsAfreshOnceClosed) {
  Engine e(design("GND R1"));
  ASSERT_FALSE(e.runAll());
  ASSERT_FALSE(e.runAll());
  // Each run's list after the one before begins with a line of its time.
  const std::regex appended(std::string(kHeading) +
                            "GND\r\n\r\nThe run at [0-9]{2}:[0-9]{2}:[0-9]{2}:\r\nGND\r\n");
  EXPECT_TRUE(std::regex_match(e.report.shown, appended)) << e.report.shown;
  e.report.open = false;  // the user closed it
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.report.shown, std::string(kHeading) + "GND\r\n");
}

TEST(IgnoredReport, IsNotShownWhenNothingWasIgnored) {
  Engine e(design("R1 R2"));
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.report.shows, 0);
}

}  // namespace
}  // namespace varnel
