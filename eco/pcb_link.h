#pragma once
// PowerPCB's automation objects and the file operations of the hand-off.
#include <memory>
#include <string>

#include "host/ref.h"

namespace varnel::eco {

class PcbDocument {
 public:
  virtual ~PcbDocument() = default;
  // Returns once the layout has read the file.
  virtual void ReadEcoFile(const std::string& path) = 0;
};

class PcbApplication {
 public:
  virtual ~PcbApplication() = default;
  virtual host::Ref<PcbDocument> ActiveDocument() = 0;
};

class PcbConnector {
 public:
  virtual ~PcbConnector() = default;
  // The running PowerPCB; error 429 when none runs. Never starts one.
  virtual std::shared_ptr<PcbApplication> attach() = 0;
};

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
  virtual void deleteFile(const std::string& path) = 0;
  // The user's folder for temporary files, ending in a separator.
  virtual std::string tempFolder() = 0;
};

}  // namespace varnel::eco
