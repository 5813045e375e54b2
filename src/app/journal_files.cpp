#include "app/journal_files.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/appending_file.h"
#include "base/error.h"
#include "base/utf8_path.h"

namespace varnel::app {

using base::pathOf;

namespace {

// The journal file, each append written at once and through when asked.
class FileSink final : public JournalSink {
 public:
  FileSink(std::string path, bool append) : file_(std::move(path), append) {}
  void append(const std::string& lines) override { file_.write(base::withTextFileLineEnds(lines)); }
  void writeThrough() override { file_.writeThrough(); }
  std::string path() const override { return file_.path(); }

 private:
  base::AppendingFile file_;
};

// Drops a last record cut short (no line end), so that what is appended
// next starts a line of its own.
void dropCutRecord(const std::string& path) {
  std::string text;
  {
    std::ifstream in(pathOf(path), std::ios::binary);
    if (!in) throw base::errors::fileAccess(path);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::size_t end = text.rfind('\n');
  const std::size_t keep = end == std::string::npos ? 0 : end + 1;
  if (keep == text.size()) return;
  std::error_code failed;
  std::filesystem::resize_file(pathOf(path), keep, failed);
  if (failed) throw base::errors::fileAccess(path);
}

}  // namespace

std::unique_ptr<JournalSink> createJournalFile(const std::string& path) {
  return std::make_unique<FileSink>(path, false);
}

std::unique_ptr<JournalSink> reopenJournalFile(const std::string& path) {
  dropCutRecord(path);
  return std::make_unique<FileSink>(path, true);
}

void appendToJournalFile(const std::string& path, const std::string& lines) {
  dropCutRecord(path);
  FileSink file(path, true);
  file.append(lines);
  file.writeThrough();
}

std::string timeNow(const char* format, bool utc) {
  const std::time_t now = std::time(nullptr);
  // The parts are copied at once from the runtime's buffer, which only the
  // user interface's thread ever asks for.
  const std::tm parts = *(utc ? std::gmtime(&now) : std::localtime(&now));
  char text[64];
  std::strftime(text, sizeof text, format, &parts);
  return text;
}

}  // namespace varnel::app
