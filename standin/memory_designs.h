#pragma once
// The offline runner over design files and the in-memory PowerLogic.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "standin/memory_host.h"

namespace varnel::standin {

class MemoryDesigns final : public app::OfflineDesigns {
 public:
  std::shared_ptr<host::Application> open(const std::string& designFile) override;
  void save(const std::string& designFile) override;
  void endAfterRename(long rename, const std::string& designFile) override;
  [[noreturn]] void endNow(const std::string& designFile) override;
  void resetCounts() override;
  // "host calls: N", a hash of their order, then the count by operation.
  std::string callStatistics() override;

 private:
  std::shared_ptr<MemoryHost> host_;
};

// varnel-offline's whole work, as its main does it.
int runOffline(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace varnel::standin
