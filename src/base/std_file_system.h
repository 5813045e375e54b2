#pragma once
// The file operations over the standard library: the one place, with
// appending_file, where Varnel meets the platform's files.
#include "base/file_system.h"

namespace varnel::base {

class StdFileSystem final : public FileSystem {
 public:
  // Errors: 76 "Path not found" (missing folder), 70 "Permission denied"
  // (read-only file), 75 "Path/File access error" (a folder, no name, or the
  // write failed). The earlier file stays whole on any failure.
  void replaceFile(const std::string& path, const std::string& content) override;
  // The same checks and errors as replaceFile, writing nothing.
  void checkWritable(const std::string& path) override;
  bool exists(const std::string& path) override;
  std::string readFile(const std::string& path) override;
  std::string lastWrittenDate(const std::string& path) override;
  // Error 53 "File not found", or 75 with the system's reason.
  void deleteFile(const std::string& path) override;
  std::string tempFolder() override;
};

}  // namespace varnel::base
