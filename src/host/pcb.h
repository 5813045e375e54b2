#pragma once
// PowerPCB's automation objects, as far as ECO delivery needs them.
#include <memory>
#include <string>

#include "host/ref.h"

namespace varnel::host {

class PcbDocument {
 public:
  virtual ~PcbDocument() = default;
  // Returns once the layout has read the file.
  virtual void ReadEcoFile(const std::string& path) = 0;
};

class PcbApplication {
 public:
  virtual ~PcbApplication() = default;
  virtual Ref<PcbDocument> ActiveDocument() = 0;
};

class PcbConnector {
 public:
  virtual ~PcbConnector() = default;
  // The running PowerPCB; error 429 when none runs. Never starts one.
  virtual std::shared_ptr<PcbApplication> attach() = 0;
};

}  // namespace varnel::host
