#include "eco/change_log.h"

namespace varnel::eco {

std::string ChangeLog::listing(const std::string& lineEnd) const {
  std::string lines;
  for (const model::Rename& rename : entries_) lines += rename.from + " " + rename.to + lineEnd;
  return lines;
}

}  // namespace varnel::eco
