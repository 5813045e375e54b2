#include "app/journal_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

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

// The journal file through the C runtime's descriptors: written at once
// (no buffer of our own to lose), and written through when asked.
class FileSink final : public JournalSink {
 public:
  FileSink(std::string path, bool append) : path_(std::move(path)) {
#ifdef _WIN32
    file_ = _wopen(pathOf(path_).c_str(),
                   _O_WRONLY | _O_CREAT | _O_BINARY | (append ? _O_APPEND : _O_TRUNC),
                   _S_IREAD | _S_IWRITE);
#else
    file_ = ::open(pathOf(path_).c_str(), O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC), 0644);
#endif
    if (file_ < 0) throw errors::fileAccess(path_);
  }
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;
  ~FileSink() override {
#ifdef _WIN32
    _close(file_);
#else
    ::close(file_);
#endif
  }
  void append(const std::string& lines) override {
    const std::string bytes = withFileLineEnds(lines);
    for (std::size_t done = 0; done < bytes.size();) {
#ifdef _WIN32
      const int n = _write(file_, bytes.data() + done, static_cast<unsigned>(bytes.size() - done));
#else
      const auto n = ::write(file_, bytes.data() + done, bytes.size() - done);
#endif
      if (n <= 0) throw errors::fileAccess(path_);
      done += static_cast<std::size_t>(n);
    }
  }
  void writeThrough() override {
#ifdef _WIN32
    const int failed = _commit(file_);  // FlushFileBuffers
#else
    const int failed = ::fsync(file_);
#endif
    if (failed) throw errors::fileAccess(path_);
  }
  std::string path() const override {
    return path_;
  }

 private:
  std::string path_;
  int file_ = -1;
};

// Drops a last record cut short (no line end), so that what is appended
// next starts a line of its own.
void dropCutRecord(const std::string& path) {
  std::string text;
  {
    std::ifstream in(pathOf(path), std::ios::binary);
    if (!in) throw errors::fileAccess(path);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::size_t end = text.rfind('\n');
  const std::size_t keep = end == std::string::npos ? 0 : end + 1;
  if (keep == text.size()) return;
  std::error_code failed;
  std::filesystem::resize_file(pathOf(path), keep, failed);
  if (failed) throw errors::fileAccess(path);
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
