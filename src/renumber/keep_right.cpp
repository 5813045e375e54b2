#include "renumber/keep_right.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "base/error.h"
#include "base/int16.h"
#include "model/designator.h"
#include "model/working_design.h"

namespace varnel::renumber {

namespace {

class KeepingRight {
 public:
  KeepingRight(const model::DesignSnapshot& snapshot, const RenumberPlan& full)
      : design_(snapshot) {
    // A component's last rename in the full plan says where and why it ends.
    for (std::size_t k = 0; k < full.renames.size(); ++k)
      finals_[full.renames[k].position] = {
          full.renames[k].to, k < full.reasons.size() ? full.reasons[k] : RenameReason::renamed};
    plan_.ignored = full.ignored;
    plan_.unnamable = full.unnamable;
    plan_.numberingOrder = full.numberingOrder;
    plan_.notOnBoard = full.notOnBoard;
    plan_.onlyOnBoard = full.onlyOnBoard;
    base::Int16 max = 0;
    for (const model::Part& part : snapshot.parts)
      max = std::max(max, model::designator::wholeNumber(part.designator));
    for (const auto& entry : finals_) {
      max = std::max(max, model::designator::wholeNumber(entry.second.name));
      finalNames_.insert(entry.second.name);
    }
    temporaryBase_ = max;
  }

  RenumberPlan run() {
    for (const auto& [position, final] : finals_) {
      if (design_.designatorAt(position) == final.name) continue;
      if (design_.isInUse(final.name))
        waiting_[final.name] = position;
      else
        moveAndUnwind(position, final.name, final.reason);
    }
    breakCycles();
    for (std::size_t k = 0; k < plan_.renames.size(); ++k) plan_.steps.push_back({k + 1, 0});
    if (!plan_.steps.empty()) {
      plan_.steps.back().ignoredEnd = plan_.ignored.size();
      plan_.progress = ProgressRange{0, static_cast<float>(plan_.steps.size()) - 1};
    }
    return std::move(plan_);
  }

 private:
  // Renames, then lets the component that waited for the freed name follow,
  // and the one that waited for its name, and so on down the chain.
  void moveAndUnwind(std::int32_t position, const std::string& to, RenameReason reason) {
    std::string freed = design_.designatorAt(position);
    make(position, to, reason);
    for (auto next = waiting_.find(freed); next != waiting_.end() && !design_.isInUse(freed);
         next = waiting_.find(freed)) {
      const std::int32_t follower = next->second;
      waiting_.erase(next);
      freed = design_.designatorAt(follower);
      make(follower, finals_[follower].name, finals_[follower].reason);
    }
  }

  // What still waits waits on a cycle: one of it steps aside to a
  // temporary number, the rest follow, and it takes its name last.
  void breakCycles() {
    std::vector<std::int32_t> waiting;
    for (const auto& entry : waiting_) waiting.push_back(entry.second);
    std::sort(waiting.begin(), waiting.end());
    for (const std::int32_t position : waiting) {
      if (design_.designatorAt(position) == finals_[position].name) continue;
      moveAndUnwind(position, temporaryFor(position), RenameReason::movedAside);
    }
  }

  // One above every number the design bore when read and every number the
  // plan gives, or the next its prefix leaves free; a cycle's temporary is
  // gone before the next cycle begins, so each may take the same. Where that
  // would pass 32767, the first number that nothing bears and no final name
  // uses.
  std::string temporaryFor(std::int32_t position) {
    const std::string prefix = model::designator::prefix(design_.designatorAt(position));
    for (std::int64_t number = std::int64_t(temporaryBase_) + 1; base::fitsInt16(number); ++number)
      if (const std::string name = model::designator::compose(prefix, base::toInt16(number));
          !design_.isInUse(name))
        return name;
    for (std::int64_t number = 1; number <= INT16_MAX; ++number)
      if (const std::string name = model::designator::compose(prefix, base::toInt16(number));
          !design_.isInUse(name) && !finalNames_.count(name))
        return name;
    throw base::errors::refusal(base::errors::kOverflow,
                                "Overflow: a ring of renames of prefix " + prefix +
                                    " needs a temporary name, and every number of " + prefix +
                                    " up to 32767 is taken.");
  }

  void make(std::int32_t position, const std::string& to, RenameReason reason) {
    const std::string from = design_.designatorAt(position);
    design_.rename(position, to);
    plan_.renames.push_back({position, from, to});
    plan_.reasons.push_back(reason);
  }

  model::WorkingDesign design_;
  struct Final {
    std::string name;
    RenameReason reason;
  };
  std::map<std::int32_t, Final> finals_;                   // by position, in list order
  std::unordered_map<std::string, std::int32_t> waiting_;  // a name, and who waits for it
  std::unordered_set<std::string> finalNames_;             // every name the plan gives
  base::Int16 temporaryBase_ = 0;                          // one below the first temporary number
  RenumberPlan plan_;
};

}  // namespace

RenumberPlan keepingRightNames(const model::DesignSnapshot& design, const RenumberPlan& full) {
  return KeepingRight(design, full).run();
}

}  // namespace varnel::renumber
