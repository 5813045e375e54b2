#include "renumber/design_changes.h"

namespace varnel::renumber {

std::vector<std::string> differencesFrom(const model::WorkingDesign& design,
                                         const std::map<std::int32_t, std::string>& expected) {
  std::vector<std::string> differences;
  for (const auto& [position, name] : expected) {
    if (position > design.count())
      differences.push_back("position " + std::to_string(position) +
                            ": no such component now; the run left " + name + " there");
    else if (design.designatorAt(position) != name)
      differences.push_back("position " + std::to_string(position) + " is " +
                            design.designatorAt(position) + "; the run left " + name + " there");
  }
  return differences;
}

std::string takenByText(const std::string& name, std::int32_t holder) {
  return name + " is taken by the component at position " + std::to_string(holder);
}

base::Error changedDesignRefusal(const std::vector<std::string>& differences) {
  std::string text = "The design changed since that run; nothing was renamed:";
  for (const std::string& difference : differences) text += "\n" + difference;
  return base::Error(base::errors::kDesignChanged, text);
}

}  // namespace varnel::renumber
