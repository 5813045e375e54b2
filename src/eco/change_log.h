#pragma once
// The record of a run's renames, in the order the design underwent them.
#include <cstdint>
#include <string>
#include <vector>

#include "model/rename.h"

namespace varnel::eco {

class ChangeLog {
 public:
  void record(std::int32_t position, std::string from, std::string to) {
    entries_.push_back({position, std::move(from), std::move(to)});
  }
  const std::vector<model::Rename>& entries() const { return entries_; }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  // "OLD NEW" a line, each ended by lineEnd: for a user who has no file.
  std::string listing(const std::string& lineEnd = "\n") const;

 private:
  std::vector<model::Rename> entries_;
};

}  // namespace varnel::eco
