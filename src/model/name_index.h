#pragma once
// Which positions bear each name, for a design of any size: an open-address
// table of the first bearer's position and its name's hash, in one flat
// array, the name itself read from the part when the hashes match. Names
// borne by several components keep their other bearers aside. The parts
// are passed to every call, so that the index goes with its design when it
// is copied or moved.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/design_snapshot.h"

namespace varnel::model {

class NameIndex {
 public:
  // Every part's designator, by its 1-based position.
  explicit NameIndex(const std::vector<Part>& parts);

  // The first position in list order that bears name; 0 when none does.
  std::int32_t first(const std::vector<Part>& parts, std::string_view name) const;
  std::size_t count(const std::vector<Part>& parts, std::string_view name) const;
  // Every position that bears name, in list order.
  std::vector<std::int32_t> all(const std::vector<Part>& parts, std::string_view name) const;

  // position bears name from now on: the part already holds it.
  void add(const std::vector<Part>& parts, std::string_view name, std::int32_t position);
  // position no longer bears name: the part still holds it.
  void remove(const std::vector<Part>& parts, std::string_view name, std::int32_t position);

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::int32_t position = 0;  // 0: empty
  };
  // The slot that holds name, or the empty one where it would go.
  std::size_t slotOf(const std::vector<Part>& parts, std::string_view name,
                     std::uint32_t hash) const;
  void eraseSlot(std::size_t slot);

  std::vector<Slot> slots_;  // a power of two, at least twice the parts
  std::size_t mask_ = 0;
  // The bearers after the first, in list order, of names several bear.
  std::unordered_map<std::string, std::vector<std::int32_t>> others_;
};

}  // namespace varnel::model
