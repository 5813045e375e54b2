// Where the ECO file goes at the end of a run, with fakes for the dialog,
// the files and PowerPCB; and the report of ignored designators.
#include <gtest/gtest.h>

#include "fixtures.h"

namespace varnel {
namespace {

using testing::design;
using testing::Engine;
using testing::words;

const char* kHeading =
    "Alpha Reference \r\nDesignators Ignored:\r\n-----------------------------------\r\n";

class HandOff : public ::testing::Test {
 protected:
  Engine e{design("R5 R6")};  // a run over it renames R5>R1 R6>R2
  HandOff() {
    e.host->open([] {
      auto d = design("R5 R6");
      d.name = "abc.def";
      return d;
    }());
    e.form.partList = e.form.chooseComponentList();
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
  ASSERT_FALSE(e.run(0));
  EXPECT_EQ(e.dialog.asked, 0);
  EXPECT_TRUE(e.journal.empty());
}

TEST_F(HandOff, WriteOnlyWritesWhereTheUserChose) {
  writeOnly("/jobs/board");
  ASSERT_FALSE(e.run(0));
  EXPECT_EQ(e.dialog.filterSeen, "ECO files (*.eco) |*.eco|");
  EXPECT_EQ(e.journal, std::vector<std::string>{"write /jobs/board"});
  EXPECT_NE(e.files.files.at("/jobs/board").find("R5 R1\r\nR6 R2\r\n"), std::string::npos);
}

TEST_F(HandOff, ACancelledDialogStaysSilent) {
  writeOnly("");
  EXPECT_FALSE(e.run(0));
  EXPECT_TRUE(e.journal.empty());
}

TEST_F(HandOff, AFailedWriteNamesTheFileTheReasonAndTheRenames) {
  writeOnly("/ro/board.eco");
  e.files.replaceFailure = Error(70, "Permission denied: /ro/board.eco is read-only");
  const auto error = e.run(0);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), 70);
  EXPECT_EQ(error->text(),
            "The ECO file /ro/board.eco could not be written: Permission denied: /ro/board.eco is "
            "read-only\nNo ECO file holds the renames made; these are they (old new):\n"
            "R5 R1\nR6 R2\n");
  EXPECT_EQ(e.names(), words("R1 R2"));
  EXPECT_TRUE(e.form.oldNames.empty());
}

TEST_F(HandOff, ForcedReadReachesPcbFirstThenWritesReadsAndDeletes) {
  forcedRead();
  ASSERT_FALSE(e.run(0));
  EXPECT_EQ(e.journal, (std::vector<std::string>{"attach PowerPCB", "write /temp/abc.eco",
                                                 "read /temp/abc.eco", "delete /temp/abc.eco"}));
  ASSERT_EQ(e.pcb.filesRead.size(), 1u);
  EXPECT_NE(e.pcb.filesRead[0].find("R6 R2\r\n*END*\r\n"), std::string::npos);
  EXPECT_TRUE(e.files.files.empty());
}

TEST_F(HandOff, PcbNotRunningWritesNothingAndShowsTheRenames) {
  forcedRead();
  e.pcb.running = false;
  const auto error = e.run(0);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), 429);
  EXPECT_EQ(error->text().rfind("Write and force read in PCB failed while reaching PowerPCB: "
                                "ActiveX component can't create object\nNo ECO file holds",
                                0),
            0u)
      << error->text();
  EXPECT_NE(error->text().find("R6 R2\n"), std::string::npos);
  EXPECT_EQ(e.journal, std::vector<std::string>{"attach PowerPCB"});
}

TEST_F(HandOff, AFileThePcbFailedToReadIsKeptAndNamed) {
  forcedRead();
  e.pcb.readFailure = Error(0x80004005, "Unspecified error");
  const auto error = e.run(0);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->text(),
            "Write and force read in PCB failed while PowerPCB read /temp/abc.eco: "
            "Unspecified error\nThe ECO file is still at /temp/abc.eco; read it in "
            "by hand.");
  EXPECT_TRUE(e.files.files.count("/temp/abc.eco"));
}

TEST_F(HandOff, AFailedDeleteSaysTheFileWasReadButRemains) {
  forcedRead();
  e.files.deleteFailure = Error(75, "Path/File access error: busy");
  const auto error = e.run(0);
  ASSERT_TRUE(error);
  EXPECT_NE(error->text().find("PowerPCB has read the file; it is still at /temp/abc.eco."),
            std::string::npos);
  EXPECT_EQ(e.pcb.filesRead.size(), 1u);
}

TEST_F(HandOff, PowerLogicNotAnsweringLeavesNoFile) {
  forcedRead();
  int renames = 0;
  e.host->onRenamed([&](const standin::RenameRecord&) {
    // PowerLogic goes away right after the last rename is read back.
    if (++renames == 2)
      e.host->failCall(2, Error(0x800706BA, "The RPC server is unavailable"), true);
  });
  const auto error = e.run(0);
  ASSERT_TRUE(error);
  EXPECT_TRUE(e.files.files.empty());
  EXPECT_NE(error->text().find("asking PowerLogic for the design's name"), std::string::npos)
      << error->text();
}

struct FileNameCase {
  const char* design;
  const char* file;
};

TEST(ChangeFileName, KeepsTheFirstPeriodOfTheLastPathComponent) {
  frmRenPart form{Platform{}};
  for (const FileNameCase& c : std::vector<FileNameCase>{{"abc.def", "abc."},
                                                         {"my.board.sch", "my."},
                                                         {".hidden", "."},
                                                         {"board", "board."},
                                                         {"", "."},
                                                         {"..\\..\\x.sch", "x."},
                                                         {"C:\\jobs\\b.sch", "b."},
                                                         {"C:b.sch", "b."},
                                                         {"../up/../c", "c."},
                                                         {"..", "."},
                                                         {"a?b*.sch", "a_b_."}})
    EXPECT_EQ(form.ChangeFileName(c.design), c.file) << c.design;
}

TEST(IgnoredReport, ListsTheNamesBelowTheHeading) {
  Engine e(design("GND VCC R1"));
  ASSERT_FALSE(e.run(0));
  EXPECT_EQ(e.report.shown, std::string(kHeading) + "GND\r\nVCC\r\n");
  EXPECT_EQ(std::string(kHeading).size(), 77u);
}

TEST(IgnoredReport, AppendsWhileOpenAndStartsAfreshOnceClosed) {
  Engine e(design("GND R1"));
  ASSERT_FALSE(e.run(0));
  ASSERT_FALSE(e.run(0));
  EXPECT_EQ(e.report.shown, std::string(kHeading) + "GND\r\nGND\r\n");
  e.report.open = false;  // the user closed it
  ASSERT_FALSE(e.run(0));
  EXPECT_EQ(e.report.shown, std::string(kHeading) + "GND\r\n");
}

TEST(IgnoredReport, IsNotShownWhenNothingWasIgnored) {
  Engine e(design("R1 R2"));
  ASSERT_FALSE(e.run(0));
  EXPECT_EQ(e.report.shows, 0);
}

}  // namespace
}  // namespace varnel
