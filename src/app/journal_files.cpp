#include "app/journal_files.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "eco/utf8_path.h"

namespace varnel::app {

using eco::pathOf;

namespace {

// A journal is read in Notepad as much as by Varnel.
std::string withFileLineEnds(const std::string& lines) {
#ifdef _WIN32
  std::string out;
  for (char c : lines) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
#else
  return lines;
#endif
}

Error cannotWrite(const std::string& path) {
  return Error(errors::kPathFileAccess, "Path/File access error: " + path);
}

class FileSink final : public JournalSink {
 public:
  explicit FileSink(std::string path)
      : path_(std::move(path)), out_(pathOf(path_), std::ios::binary | std::ios::trunc) {
    if (!out_) throw cannotWrite(path_);
  }
  void append(const std::string& lines) override {
    // Flushed at once: a crash later still leaves every line written so far.
    out_ << withFileLineEnds(lines) << std::flush;
    if (!out_) throw cannotWrite(path_);
  }
  std::string path() const override { return path_; }

 private:
  std::string path_;
  std::ofstream out_;
};

}  // namespace

std::unique_ptr<JournalSink> createJournalFile(const std::string& path) {
  return std::make_unique<FileSink>(path);
}

void appendToJournalFile(const std::string& path, const std::string& lines) {
  std::ofstream out(pathOf(path), std::ios::binary | std::ios::app);
  out << withFileLineEnds(lines) << std::flush;
  if (!out) throw cannotWrite(path);
}

std::string timeNow(const char* format, bool utc) {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
#ifdef _WIN32
  utc ? gmtime_s(&parts, &now) : localtime_s(&parts, &now);
#else
  utc ? gmtime_r(&now, &parts) : localtime_r(&now, &parts);
#endif
  char text[64];
  std::strftime(text, sizeof text, format, &parts);
  return text;
}

}  // namespace varnel::app
