#include "base/appending_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <utility>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "base/error.h"
#include "base/utf8_path.h"

namespace varnel::base {

AppendingFile::AppendingFile(std::string path, bool append) : path_(std::move(path)) {
#ifdef _WIN32
  file_ = _wopen(pathOf(path_).c_str(),
                 _O_WRONLY | _O_CREAT | _O_BINARY | (append ? _O_APPEND : _O_TRUNC),
                 _S_IREAD | _S_IWRITE);
#else
  file_ = ::open(pathOf(path_).c_str(), O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC), 0644);
#endif
  if (file_ < 0) throw errors::fileAccess(path_);
}

AppendingFile::AppendingFile(AppendingFile&& other) noexcept
    : path_(std::move(other.path_)), file_(std::exchange(other.file_, -1)) {}

AppendingFile& AppendingFile::operator=(AppendingFile&& other) noexcept {
  std::swap(path_, other.path_);
  std::swap(file_, other.file_);
  return *this;
}

AppendingFile::~AppendingFile() {
  if (file_ < 0) return;
#ifdef _WIN32
  _close(file_);
#else
  ::close(file_);
#endif
}

void AppendingFile::write(const std::string& bytes) {
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

void AppendingFile::writeThrough() {
#ifdef _WIN32
  const int failed = _commit(file_);  // FlushFileBuffers
#else
  const int failed = ::fsync(file_);
#endif
  if (failed) throw errors::fileAccess(path_);
}

std::string withTextFileLineEnds(const std::string& lines) {
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

}  // namespace varnel::base
