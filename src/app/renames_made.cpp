#include "app/renames_made.h"

#include <cstddef>
#include <map>

namespace varnel::app {

namespace {

// The names the plan's positions bear after some of its renames, and how
// many of them the design disagrees with.
class NamesAfter {
 public:
  NamesAfter(const std::vector<model::Rename>& plan, const model::DesignSnapshot& design)
      : design_(design) {
    for (const model::Rename& rename : plan) names_.try_emplace(rename.position, rename.from);
    for (const auto& [position, name] : names_) wrong_ += differs(position, name);
  }
  void apply(const model::Rename& rename) {
    std::string& name = names_[rename.position];
    wrong_ -= differs(rename.position, name);
    name = rename.to;
    wrong_ += differs(rename.position, name);
  }
  bool matchDesign() const { return wrong_ == 0; }

 private:
  int differs(std::int32_t position, const std::string& name) const {
    const auto index = static_cast<std::size_t>(position - 1);
    return index >= design_.parts.size() || design_.parts[index].designator != name;
  }

  const model::DesignSnapshot& design_;
  std::map<std::int32_t, std::string> names_;
  int wrong_ = 0;
};

}  // namespace

std::vector<model::Rename> renamesMade(const Journal& journal,
                                       const model::DesignSnapshot& design) {
  const std::size_t marked = journal.renames.size();
  if (journal.plan.size() <= marked) return journal.renames;
  NamesAfter names(journal.plan, design);
  for (const model::Rename& rename : journal.renames) names.apply(rename);
  for (std::size_t made = marked; made <= journal.plan.size(); ++made) {
    if (names.matchDesign()) {
      std::vector<model::Rename> out = journal.renames;
      out.insert(out.end(), journal.plan.begin() + marked, journal.plan.begin() + made);
      return out;
    }
    if (made < journal.plan.size()) names.apply(journal.plan[made]);
  }
  return journal.renames;
}

}  // namespace varnel::app
