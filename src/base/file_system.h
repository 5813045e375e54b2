#pragma once
// The file operations of ECO files, journals and pictures, as an interface
// that tests replace.
#include <string>

namespace varnel::base {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Writes content to a temporary file beside path, then renames it over
  // path, so that readers see the old file or the whole new one.
  virtual void replaceFile(const std::string& path, const std::string& content) = 0;
  // Throws what replaceFile would throw for path's place (no folder, a
  // folder, read-only, a folder that takes no file), without writing.
  virtual void checkWritable(const std::string& path) = 0;
  virtual bool exists(const std::string& path) = 0;
  // The file's bytes; error 53 naming path when it cannot be read.
  virtual std::string readFile(const std::string& path) = 0;
  // The day the file was last written, in local time ("2026-12-09"); empty
  // when the file system does not tell.
  virtual std::string lastWrittenDate(const std::string& path) = 0;
  virtual void deleteFile(const std::string& path) = 0;
  // The user's folder for temporary files, ending in a separator.
  virtual std::string tempFolder() = 0;
};

}  // namespace varnel::base
