#pragma once
// A file written a piece at a time through the C runtime's descriptors:
// each piece reaches the system at once (no buffer of Varnel's own to lose
// when it ends), and is written through to the disk when asked. Journals
// are kept so.
#include <string>

namespace varnel::base {

class AppendingFile {
 public:
  // Opens path, created when missing, at its end (append) or emptied;
  // error 75 when it cannot be.
  AppendingFile(std::string path, bool append);
  AppendingFile(AppendingFile&& other) noexcept;
  AppendingFile& operator=(AppendingFile&& other) noexcept;
  AppendingFile(const AppendingFile&) = delete;
  AppendingFile& operator=(const AppendingFile&) = delete;
  ~AppendingFile();

  // Writes bytes as they are; error 75 when the system takes them not all.
  void write(const std::string& bytes);
  // Flushes what was written to the disk; error 75 when that fails.
  void writeThrough();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  int file_ = -1;
};

// Lines with '\n' ends as the platform's text files end them: CR LF on
// Windows, where journals are read in Notepad as much as by Varnel.
std::string withTextFileLineEnds(const std::string& lines);

}  // namespace varnel::base
