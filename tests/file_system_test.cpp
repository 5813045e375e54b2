#include "base/std_file_system.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "base/error.h"
#include "fixtures.h"
#include "temp_dir.h"

namespace varnel::base {
namespace {

using tests::failureOf;
using tests::TempDir;

TEST(StdFileSystem, ReplacesAnExistingFileWholeAndLeavesNoTemporaryFile) {
  TempDir dir;
  StdFileSystem files;
  const auto path = dir.write("board.eco", "an older and longer file");
  files.replaceFile(path, "new");
  EXPECT_EQ(TempDir::read(path), "new");
  EXPECT_FALSE(std::filesystem::exists(path + ".varnel-tmp"));
  files.deleteFile(path);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(StdFileSystem, RefusesMissingFoldersFoldersReadOnlyFilesAndNoName) {
  TempDir dir;
  StdFileSystem files;
  EXPECT_EQ(failureOf([&] { files.replaceFile(dir.file("none/x.eco"), "x"); }), 76);
  EXPECT_EQ(failureOf([&] { files.replaceFile(dir.file(""), "x"); }), 75);
  EXPECT_EQ(failureOf([&] { files.replaceFile("", "x"); }), 75);
  const auto readOnly = dir.write("ro.eco", "keep me");
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  EXPECT_EQ(failureOf([&] { files.replaceFile(readOnly, "x"); }), 70);
  EXPECT_EQ(TempDir::read(readOnly), "keep me");
  std::filesystem::create_directory(dir.file("folder.eco"));
  EXPECT_EQ(failureOf([&] { files.replaceFile(dir.file("folder.eco"), "x"); }), 75);
  EXPECT_EQ(failureOf([&] { files.deleteFile(dir.file("never.eco")); }), 53);
}

std::string today() {
  const std::time_t now = std::time(nullptr);
  char date[16];
  std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&now));
  return date;
}

// The file clock's epoch differs from the system clock's on some platforms,
// so a file written now must show today's date, not one decades away.
TEST(StdFileSystem, GivesTheDayAFileWasLastWrittenAndNoneForAMissingFile) {
  TempDir dir;
  StdFileSystem files;
  const std::string before = today();
  const std::string written = files.lastWrittenDate(dir.write("board.pos", "R1 1 2"));
  EXPECT_TRUE(written == before || written == today()) << written;
  EXPECT_EQ(files.lastWrittenDate(dir.file("never.pos")), "");
}

TEST(StdFileSystem, TempFolderEndsWithASeparator) {
  const std::string folder = StdFileSystem().tempFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(folder.back() == '/' || folder.back() == '\\');
}

}  // namespace
}  // namespace varnel::base
