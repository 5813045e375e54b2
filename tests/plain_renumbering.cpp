#include "plain_renumbering.h"
#include "model/placement_table.h"

#include <cmath>
#include <map>

#include "model/designator.h"
#include "model/name_table.h"
#include "plain_placement_order.h"
#include "renumber/placement_order.h"

namespace varnel::tests {

namespace {

using host::Component;
using host::ComponentList;
using host::Ref;

class PlainRun {
 public:
  PlainRun(host::Application& app, const renumber::RunSettings& settings)
      : document_(app.ActiveDocument()), settings_(settings) {}

  PlainOutcome run() {
    const bool selectedRun = settings_.scope == renumber::RunScope::selectedComponents;
    list_ = chooseList();
    for (std::int32_t i = 1; i <= list_->Count(); ++i)
      held_.push_back(settings_.rules.holds(list_->Item(i)->Name()) ||
                      !model::designator::beginsWithLetter(list_->Item(i)->Name()));
    storeAllNames();
    if (!selectedRun) {
      moveConflictsAside();
      storeAllNames();
    }
    storeSelectedNames();
    const bool enabled = !(selectedNames_.empty() && selectedRun);
    list_ = chooseList();
    const std::int32_t last = list_->Count();
    if (!enabled) return outcome_;
    for (bool first = true; position_ <= last; first = false) {
      if (!selectedRun && held_[position_ - 1]) {
        ++position_;
        continue;
      }
      previous_ = current_;
      if (!selectedRun) {
        current_ = list_->Item(allNames_[position_ - 1]);
      } else {
        list_ = chooseList();
        if (first) sortByPlacement();
        current_ = list_->Item(sortedNames_[position_ - 1].name);
      }
      currentName_ = current_->Name();
      if (!previous_ ||
          model::designator::prefix(previous_->Name()) != model::designator::prefix(currentName_))
        offset_ = 0;
      selectedRun ? stepSelected() : stepAll();
      if (selectedRun && selectedNames_[selectedDone_].empty()) position_ = last + 1;
      ++position_;
    }
    return outcome_;
  }

 private:
  Ref<ComponentList> chooseList() {
    if (document_->Scopes()->Count() > 1) return document_->Components();
    return document_->CurrentScope()->Components();
  }
  bool inUse(const std::string& name) { return !chooseList()->Item(name).empty(); }
  std::string wanted() {
    const base::Int16 start =
        settings_.rules.startOf(model::designator::prefix(currentName_), settings_.start);
    std::string name = model::designator::withNumber(currentName_, base::add16(start, offset_));
    while (settings_.rules.holds(name)) {
      offset_ = base::add16(offset_, 1);
      name = model::designator::withNumber(currentName_, base::add16(start, offset_));
    }
    return name;
  }

  void rename(Component& part, const std::string& from, const std::string& to) {
    part.setName(to);
    outcome_.oldNames.push_back(from);
    outcome_.newNames.push_back(part.Name());
  }

  void ignore() { outcome_.ignored.push_back(currentName_); }

  void storeAllNames() {
    for (std::int32_t i = 1; i <= list_->Count(); ++i) allNames_.set(i - 1, list_->Item(i)->Name());
  }

  void storeSelectedNames() {
    std::int32_t i = 1;
    int k = 0;
    do {
      auto part = list_->Item(i);
      if (part->Selected() && !held_[i - 1]) selectedNames_.set(k++, part->Name());
      ++i;
    } while (i <= list_->Count());
  }

  void moveConflictsAside() {
    const int count = allNames_.usedCount();
    base::Int16 max = 0;
    for (int i = 0; i < count; ++i)
      max = std::max(max, model::designator::wholeNumber(allNames_[i]));
    const std::int64_t base = std::int64_t(max) + 1;
    std::int64_t moved = 0;
    std::map<std::string, std::int64_t> movedOf;
    for (int i = 0; i < count; ++i) {
      const std::string name = allNames_[i];
      if (held_[i]) continue;
      const std::int64_t n = model::designator::wholeNumber(name);
      const std::int64_t start =
          settings_.rules.startOf(model::designator::prefix(name), settings_.start);
      if (n < start || n > start + list_->Count() || model::designator::endsInLetter(name))
        continue;
      auto part = list_->Item(name);
      // Counted across prefixes while that stays within 16 bits, then by
      // prefix, then the first free number above the run's range.
      const std::string prefix = model::designator::prefix(part->Name());
      const std::int64_t temporary = base::fitsInt16(start + base + moved) ? start + base + moved
                                     : base::fitsInt16(start + base + movedOf[prefix])
                                         ? start + base + movedOf[prefix]
                                         : start + list_->Count() + 1;
      const std::string target =
          firstFree(model::designator::withNumber(part->Name(), base::toInt16(temporary)), "");
      rename(*part, name, target);
      ++moved;
      ++movedOf[prefix];
    }
  }

  std::string firstFree(const std::string& candidate, const std::string& ownName) {
    const std::string prefix = model::designator::prefix(candidate);
    base::Int16 number = model::designator::wholeNumber(candidate);
    std::string name = candidate;
    while (name != ownName && inUse(name)) {
      number = base::add16(number, 1);
      name = model::designator::compose(prefix, number);
    }
    return name;
  }

  std::string nextFree(const std::string& component) {
    const std::string prefix = model::designator::prefix(component);
    auto list = chooseList();
    const std::int32_t count = list->Count();
    int first = -1;
    for (int k = 0; !allNames_[k].empty() && first < 0; ++k)
      if (model::designator::hasPrefix(allNames_[k], prefix)) first = k;
    if (first < 0)
      return model::designator::compose(prefix,
                                        base::add16(model::designator::wholeNumber(component), 1));
    const base::Int16 wantedNumber = model::designator::wholeNumber(component);
    std::int32_t pos = first + 1;
    std::string previous = pos > 1 ? list->Item(pos - 1)->Name() : "";
    base::Int16 lastNumber = 0;
    for (;; ++pos) {
      if (pos == count + 1) return model::designator::compose(prefix, base::add16(lastNumber, 1));
      const std::string current = list->Item(pos)->Name();
      lastNumber = model::designator::wholeNumber(current);
      const base::Int16 previousNumber = model::designator::wholeNumber(previous);
      if (!model::designator::hasPrefix(current, prefix)) {
        if (!model::designator::numberPart(previous).empty())
          return model::designator::compose(prefix, base::add16(previousNumber, 1));
      } else if (pos > 1) {
        const base::Int16 below = base::add16(lastNumber, -1);
        if (below != previousNumber && wantedNumber < lastNumber)
          return model::designator::compose(prefix, below);
      }
      previous = current;
    }
  }

  void sortByPlacement() {
    storeSelectedNames();
    const int count = selectedNames_.usedCount();
    keys_.clear();
    for (int i = 0; i < count; ++i) {
      auto placement = list_->Item(selectedNames_[i])->Placements()->Item(1);
      const double x = placement->X(0), y = placement->Y(0);
      if (!std::isfinite(x) || !std::isfinite(y)) throw base::errors::overflow();
      sortedNames_[i] = {selectedNames_[i], renumber::coordinateText(x),
                         renumber::coordinateText(y)};
      keys_.push_back(plainPlacementKey(x, y, settings_.rules.placement));
    }
    for (int start = 0, end = 0; start < count; start = end) {
      for (end = start + 1; end < count && model::designator::prefix(selectedNames_[end]) ==
                                               model::designator::prefix(selectedNames_[start]);
           ++end) {
      }
      std::vector<renumber::PlacementKey> keys;
      std::vector<model::PlacementRow> rows;
      for (int i = start; i < end; ++i) {
        keys.push_back(keys_[i]);
        rows.push_back(sortedNames_[i]);
      }
      const auto order = plainPlacementOrder(keys);
      for (int i = start; i < end; ++i) sortedNames_[i] = rows[order[i - start]];
    }
  }

  void stepAll() {
    if (model::designator::endsInLetter(currentName_)) {
      offset_ = base::add16(offset_, 1);
      ignore();
      return;
    }
    const std::string target = firstFree(wanted(), currentName_);
    if (target != currentName_) rename(*current_, currentName_, target);
    offset_ = base::add16(offset_, 1);
  }

  void stepSelected() {
    if (model::designator::endsInLetter(currentName_)) {
      offset_ = base::add16(offset_, 1);
      ++selectedDone_;
      ignore();
      return;
    }
    if (!current_->Selected()) return;
    ++selectedDone_;
    const std::string want = wanted();
    if (settings_.conflictRule == renumber::ConflictRule::assignNextFree) {
      if (want != currentName_) {
        const std::string target = inUse(want) ? firstFree(nextFree(want), currentName_) : want;
        if (target != currentName_) rename(*current_, currentName_, target);
      }
    } else if (!inUse(want)) {
      rename(*current_, currentName_, want);
    } else if (currentName_ != want) {
      auto blocker = list_->Item(want);
      const std::string blockerName = blocker->Name();
      const std::string moved = firstFree(nextFree(blockerName), "");
      rename(*blocker, blockerName, moved);
      for (int row = position_; row < selectedNames_.usedCount(); ++row)
        if (sortedNames_[row].name == blockerName) {
          sortedNames_[row].name = moved;
          break;
        }
      rename(*current_, currentName_, want);
    }
    offset_ = base::add16(offset_, 1);
  }

  Ref<host::Document> document_;
  const renumber::RunSettings settings_;
  Ref<ComponentList> list_;
  model::NameTable allNames_, selectedNames_;
  model::PlacementTable sortedNames_;
  std::vector<renumber::PlacementKey> keys_;  // beside sortedNames_ as read, before the order
  Ref<Component> current_, previous_;
  std::string currentName_;
  std::int32_t position_ = 1, selectedDone_ = 0;
  base::Int16 offset_ = 0;
  std::vector<bool> held_;  // by list position: what the numbering rules keep
  PlainOutcome outcome_;
};

}  // namespace

PlainOutcome plainRenumbering(host::Application& app, const renumber::RunSettings& settings) {
  return PlainRun(app, settings).run();
}

}  // namespace varnel::tests
