#include "standin/memory_designs.h"

#include <cstdio>
#include <cstdlib>

#include "base/error.h"
#include "standin/design_file.h"

namespace varnel::standin {

std::shared_ptr<host::Application> MemoryDesigns::open(const std::string& designFile) {
  try {
    host_ = std::make_shared<MemoryHost>(loadDesignFile(designFile));
  } catch (const DesignFileMissing&) {
    throw base::errors::fileNotFound(designFile);
  }
  return host_;
}

void MemoryDesigns::save(const std::string& designFile) {
  saveDesignFile(host_->design(), designFile);
}

void MemoryDesigns::endAfterRename(long rename, const std::string& designFile) {
  host_->onRenamed([this, rename, designFile, made = 0L](const RenameRecord&) mutable {
    if (++made < rename) return;
    endNow(designFile);
  });
}

void MemoryDesigns::endNow(const std::string& designFile) {
  save(designFile);
  std::_Exit(3);
}

void MemoryDesigns::resetCounts() {
  host_->resetCounts();
}

std::string MemoryDesigns::callStatistics() {
  std::string text = "host calls: " + std::to_string(host_->totalCalls()) + "\n";
  char order[40];
  std::snprintf(order, sizeof order, "call order: %016llx\n",
                static_cast<unsigned long long>(host_->callOrder()));
  text += order;
  for (const auto& [operation, count] : host_->callsByOperation())
    text += "  " + operation + ": " + std::to_string(count) + "\n";
  return text;
}

int runOffline(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  MemoryDesigns designs;
  return app::runOffline(args, out, err, designs);
}

}  // namespace varnel::standin
