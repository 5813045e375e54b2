// Bad inputs, each answered with a clear message and nothing changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/run_texts.h"
#include "base/std_file_system.h"
#include "eco/windows_1252.h"
#include "fixtures.h"
#include "standin/memory_designs.h"
#include "temp_dir.h"

namespace varnel {
namespace {

using tests::design;
using tests::Engine;
using tests::TempDir;

TEST(BadInput, StartTextsAreRefusedWithTheWindowsMessages) {
  TempDir dir;
  const auto board = dir.write("b.design", "design b.sch\nR5 0 0 selected\n");
  int tried = 0;
  for (const std::string& text :
       {std::string(""), std::string("0"), std::string("-0"), std::string("abc"),
        std::string("1e3"), std::string("7 7"), std::string("40000"), std::string("-32769"),
        std::string("&H10"), std::string(10000, '7')}) {
    for (const char* mode : {"--all", "--selected"}) {
      std::ostringstream out, err;
      const auto saved = dir.file("after.design");
      EXPECT_EQ(standin::runOffline({board, mode, "--start", text, "--out", saved}, out, err), 2);
      EXPECT_EQ(err.str(), app::illegalStartText(std::string(mode) == "--all", text) + "\n");
      EXPECT_FALSE(std::filesystem::exists(saved)) << "nothing was run";
      ++tried;
    }
  }
  testing::Test::RecordProperty("inputs", tried);
}

// A component whose designator has no capital letter to begin with is left
// alone, its name counting as taken, and listed with why; the others are
// renumbered as if it were locked.
TEST(UnnamableDesignators, AreLeftAloneAndListedWhileTheRestIsRenumbered) {
  for (const auto& [name, note] : std::vector<std::pair<std::string, std::string>>{
           {"", "the component at position 3 has no designator"},
           {"r5", "r5 does not begin with a capital letter (A-Z)"},
           {"1", "1 does not begin with a capital letter (A-Z)"},
           {"\xC3\x89"
            "1",
            "\xC3\x89"
            "1 does not begin with a capital letter (A-Z)"}}) {
    for (bool selected : {false, true}) {
      auto data = design("R7* C3* R9*");
      data.parts.insert(data.parts.begin() + 2, {name, 0, 0, true});
      Engine e(data);
      e.options.send = true;
      e.options.ecoOnly = true;
      e.dialog.answer = "/out/x.eco";
      const auto error = e.run(selected);
      ASSERT_FALSE(error) << name << ": " << base::describe(*error);
      EXPECT_EQ(e.names(), (std::vector<std::string>{"R1", "C1", name, "R2"})) << name;
      EXPECT_EQ(e.outcome.unnamable, (std::vector<renumber::Unnamable>{{3, name}})) << name;
      EXPECT_NE(e.report.shown.find(note + "\r\n"), std::string::npos) << e.report.shown;
      EXPECT_EQ(e.files.files.at("/out/x.eco").find("\n" + name + " "), std::string::npos)
          << "no rename of it in the ECO file";
    }
  }
}

struct BadDesignator {
  const char* label;
  std::string designator;
  bool withEco;
  std::string message;
  friend void PrintTo(const BadDesignator& b, std::ostream* os) { *os << b.label; }
};

class BadDesignators : public testing::TestWithParam<BadDesignator> {};

TEST_P(BadDesignators, AreRefusedBeforeAnyRename) {
  auto data = design("R7 C3");
  data.parts.push_back({GetParam().designator, 0, 0, true});
  Engine e(data);
  e.options.send = GetParam().withEco;
  e.options.ecoOnly = true;
  e.options.direct = false;
  e.dialog.answer = "/out/x.eco";
  const auto before = e.names();
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->text(), GetParam().message + " Nothing was renamed.");
  EXPECT_EQ(e.names(), before);
  EXPECT_TRUE(e.files.files.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadDesignators,
    testing::Values(
        BadDesignator{"FortyThousandLetters", std::string(40000, 'R') + "1", false,
                      "Overflow: a designator begins with more than 32766 letters."},
        BadDesignator{"Blank", "R 1", true,
                      "The ECO file cannot carry the designator 'R 1': it holds a blank."},
        BadDesignator{"Tab", "R\t1", true,
                      "The ECO file cannot carry the designator 'R\t1': it holds a control "
                      "character."},
        BadDesignator{"Newline", "R\n1", true,
                      "The ECO file cannot carry the designator 'R\n1': it holds a control "
                      "character."},
        BadDesignator{"OutsideTheCodePage",
                      "R\xCE\xA9"
                      "1",
                      true,
                      "The ECO file cannot carry the designator 'R\xCE\xA9"
                      "1': a character "
                      "has no place in the ANSI code page."}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(BadInput, ASelectionOfMoreThan10001ComponentsIsRenumbered) {
  std::string parts;
  for (int i = 1; i <= 10002; ++i)
    parts += "R" + std::to_string(i + 1) + "@" + std::to_string(i) + ",0* ";
  Engine e(design(parts));
  ASSERT_FALSE(e.run(1));
  EXPECT_EQ(e.names().front(), "R1");
  EXPECT_EQ(e.names().back(), "R10002");
}

TEST(BadInput, AnyDesignNameKeepsTheForcedReadFileInTheTemporaryFolder) {
  for (const auto& [name, file] :
       std::vector<std::pair<std::string, std::string>>{{"", "design.eco"},
                                                        {"board", "board.eco"},
                                                        {".hidden", ".eco"},
                                                        {"..\\..\\x.sch", "x.eco"},
                                                        {"C:\\jobs\\b.sch", "b.eco"},
                                                        {"a/../../b.sch", "b.eco"},
                                                        {"..", "design.eco"},
                                                        {"nul.sch", "_nul.eco"}}) {
    auto data = design("R5 R6");
    data.name = name;
    Engine e(data);
    e.options.send = true;
    ASSERT_FALSE(e.runAll()) << name;
    EXPECT_EQ(e.journal[1], "check /temp/" + file) << name;
    EXPECT_EQ(e.journal[2], "write /temp/" + file) << name;
  }
}

TEST(BadInput, EcoTargetsThatCannotBeWrittenAreNamedAndLeftWhole) {
  TempDir dir;
  const auto readOnly = dir.write("ro.eco", "keep");
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  std::filesystem::create_directory(dir.file("folder.eco"));
  for (const auto& [target, reason] : std::vector<std::pair<std::string, std::string>>{
           {readOnly, "Permission denied: " + readOnly + " is read-only"},
           {dir.file("missing/x.eco"), "Path not found: " + dir.file("missing/x.eco")},
           {dir.file("folder.eco"),
            "Path/File access error: " + dir.file("folder.eco") + ": it is a folder"}}) {
    auto host = std::make_shared<standin::MemoryHost>(design("R5 R6"));
    tests::FakeAttacher attacher;
    attacher.app = host;
    app::ProgressValues progress;
    tests::FakeReport report;
    tests::FakeSaveDialog dialog;
    dialog.answer = target;
    tests::CallLog journal;
    tests::FakeFiles unused{journal};
    tests::FakePcb pcb{journal, unused};
    base::StdFileSystem files;
    eco::Windows1252Encoder encoder;
    app::NoJournals journals;
    app::EcoDelivery delivery(dialog, pcb, files, encoder);
    app::PowerLogicLink link(attacher);
    app::RenumberingSession session(link, progress, report, delivery, journals);
    link.attach([](host::HostEvent) {});
    const auto outcome =
        session.run(app::renumbering(renumber::RunSettings{}, app::EcoOutput::writeOnly));
    ASSERT_TRUE(outcome.error) << target;
    EXPECT_EQ(outcome.error->text(),
              "The ECO file cannot be written: " + reason + ". Nothing was renamed.");
    EXPECT_EQ(tests::designators(host->design()), tests::words("R5 R6")) << target;
  }
  EXPECT_EQ(TempDir::read(readOnly), "keep");
}

}  // namespace
}  // namespace varnel
