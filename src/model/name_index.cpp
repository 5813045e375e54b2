#include "model/name_index.h"

#include <algorithm>
#include <functional>

namespace varnel::model {

namespace {

std::uint32_t hashOf(std::string_view name) {
  return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
}

}  // namespace

NameIndex::NameIndex(const std::vector<Part>& parts) {
  std::size_t size = 16;
  while (size < 2 * parts.size()) size *= 2;
  slots_.resize(size);
  mask_ = size - 1;
  for (std::size_t k = 0; k < parts.size(); ++k)
    add(parts, parts[k].designator, static_cast<std::int32_t>(k + 1));
}

std::size_t NameIndex::slotOf(const std::vector<Part>& parts, std::string_view name,
                              std::uint32_t hash) const {
  std::size_t slot = hash & mask_;
  // Never full: there are at least twice as many slots as names.
  while (slots_[slot].position != 0 &&
         !(slots_[slot].hash == hash && parts[slots_[slot].position - 1].designator == name))
    slot = (slot + 1) & mask_;
  return slot;
}

std::int32_t NameIndex::first(const std::vector<Part>& parts, std::string_view name) const {
  return slots_[slotOf(parts, name, hashOf(name))].position;
}

std::size_t NameIndex::count(const std::vector<Part>& parts, std::string_view name) const {
  if (first(parts, name) == 0) return 0;
  if (others_.empty()) return 1;
  const auto more = others_.find(std::string(name));
  return 1 + (more == others_.end() ? 0 : more->second.size());
}

std::vector<std::int32_t> NameIndex::all(const std::vector<Part>& parts,
                                         std::string_view name) const {
  const std::int32_t position = first(parts, name);
  if (position == 0) return {};
  std::vector<std::int32_t> positions{position};
  if (const auto more = others_.find(std::string(name)); more != others_.end())
    positions.insert(positions.end(), more->second.begin(), more->second.end());
  return positions;
}

void NameIndex::add(const std::vector<Part>& parts, std::string_view name, std::int32_t position) {
  const std::uint32_t hash = hashOf(name);
  Slot& slot = slots_[slotOf(parts, name, hash)];
  if (slot.position == 0) {
    slot = {hash, position};
    return;
  }
  // A second bearer: the earlier in list order stays first.
  std::vector<std::int32_t>& more = others_[std::string(name)];
  if (position < slot.position) std::swap(position, slot.position);
  more.insert(std::lower_bound(more.begin(), more.end(), position), position);
}

void NameIndex::remove(const std::vector<Part>& parts, std::string_view name,
                       std::int32_t position) {
  const std::size_t at = slotOf(parts, name, hashOf(name));
  const auto more = others_.empty() ? others_.end() : others_.find(std::string(name));
  if (more == others_.end()) {
    eraseSlot(at);
    return;
  }
  std::vector<std::int32_t>& bearers = more->second;
  if (slots_[at].position == position) {
    slots_[at].position = bearers.front();
    bearers.erase(bearers.begin());
  } else {
    bearers.erase(std::find(bearers.begin(), bearers.end(), position));
  }
  if (bearers.empty()) others_.erase(more);
}

// Linear probing's deletion: the slots after it that would not be found
// across the gap move back into it.
void NameIndex::eraseSlot(std::size_t slot) {
  slots_[slot].position = 0;
  for (std::size_t next = (slot + 1) & mask_; slots_[next].position != 0;
       next = (next + 1) & mask_) {
    const std::size_t home = slots_[next].hash & mask_;
    // next stays when its home lies cyclically in (slot, next].
    const bool stays = slot <= next ? (slot < home && home <= next) : (slot < home || home <= next);
    if (stays) continue;
    slots_[slot] = slots_[next];
    slots_[next].position = 0;
    slot = next;
  }
}

}  // namespace varnel::model
