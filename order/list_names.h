#pragma once
// During a run: the names of the component list by position, as far as they
// were read, kept current through the run's own renames. Renames never
// reorder the list, so a position keeps its component; AssignNext then walks
// the list in memory instead of asking the host for every position again.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace varnel::order {

// A designator with its number as chInt reads it, parsed once.
struct ListName {
  std::string name;
  std::int16_t number = 0;
  bool hasNumber = false;  // false: nothing after its letters

  explicit ListName(std::string text = {});
};

class ListNames {
 public:
  void clear();
  // The name at a 1-based position, when it was read before.
  const ListName* at(int position) const;
  void remember(int position, const std::string& name);
  // A component was renamed; forgets everything when it cannot tell which.
  void renamed(const std::string& from, const std::string& to);

 private:
  std::vector<std::optional<ListName>> names_;
  std::unordered_map<std::string, int> positionOf_;
};

}  // namespace varnel::order
