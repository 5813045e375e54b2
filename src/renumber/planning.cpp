// The state of a run being worked out and its steps: components in list
// order (all) or in placement order (selected), each prefix counted from the
// start number.
#include "renumber/planning.h"

#include <unordered_map>

#include "base/error.h"
#include "model/designator.h"
#include "renumber/sort_selection.h"

namespace varnel::renumber {

// A component whose designator has no prefix to count cannot be named: it
// is passed over as a lock passes it, and the plan lists it, so that one such
// part does not keep the rest of the design from being renumbered.
Planning::Planning(const model::DesignSnapshot& design, const RunSettings& settings,
                   const BoardOrder* board)
    : design_(design), settings_(settings), freeNames_(design_, allNames_), board_(board) {
  const bool selectedRun = settings.scope == RunScope::selectedComponents;
  for (std::size_t k = 0; k < design.parts.size(); ++k) {
    const model::Part& part = design.parts[k];
    if (!model::designator::beginsWithLetter(part.designator) && (!selectedRun || part.selected))
      plan_.unnamable.push_back({static_cast<std::int32_t>(k + 1), part.designator});
  }
  if (settings.rules.allDefault() && plan_.unnamable.empty() && !board) return;
  // A run by board position leaves alone, as a lock would, every component
  // it does not number: those the file does not place and those of the
  // other side.
  std::vector<bool> onBoard(design.parts.size(), board == nullptr);
  if (board)
    for (const BoardStop& stop : board->stops) onBoard[stop.position - 1] = true;
  held_.resize(design.parts.size());
  for (std::size_t k = 0; k < design.parts.size(); ++k)
    held_[k] = !model::designator::beginsWithLetter(design.parts[k].designator) ||
               settings.rules.holds(design.parts[k].designator) || !onBoard[k];
}

RenumberPlan Planning::run() {
  const bool selectedRun = settings_.scope == RunScope::selectedComponents;
  storeAllNames();
  if (!selectedRun) {
    moveConflictsAside();
    storeAllNames();
  }
  storeSelectedNames();
  // A selected-components run with nothing selected does nothing.
  const bool enabled =
      !(selectedNames_.empty() && selectedRun) && !(board_ && board_->stops.empty());
  if (enabled) plan_.progress = progressRange();
  const auto lastPosition =
      board_ ? static_cast<std::int32_t>(board_->stops.size()) : design_.count();
  if (!enabled) return std::move(plan_);
  for (bool first = true; position_ <= lastPosition; first = false) {
    step(first);
    if (selectedRun && selectedNames_[selectedDone_].empty()) position_ = lastPosition + 1;
    ++position_;
    plan_.steps.push_back({plan_.renames.size(), plan_.ignored.size()});
  }
  return std::move(plan_);
}

void Planning::step(bool firstStep) {
  // By position, not by name: a design may give one designator to several.
  std::int32_t next = position_;
  bool bottom = false;
  if (board_) {
    next = board_->stops[position_ - 1].position;
    bottom = board_->stops[position_ - 1].side == model::BoardSide::bottom;
  } else if (settings_.scope == RunScope::selectedComponents) {
    if (firstStep) sortSelection();
    next = sortedNames_[position_ - 1].position;
  }
  // A component a rule holds is passed over as if it were not in the list.
  if (held(next)) return;
  previous_ = current_;
  current_ = next;
  previousBottom_ = currentBottom_;
  currentBottom_ = bottom;
  currentName_ = design_.designatorAt(current_);
  // Each prefix counts from the start number; nothing before the run shares
  // the count. The bottom side counts afresh from a start of its own.
  const bool ownBottomStart = bottomStart().has_value();
  if (!handledAny_ ||
      model::designator::prefix(design_.designatorAt(previous_)) !=
          model::designator::prefix(currentName_) ||
      (ownBottomStart && previousBottom_ != currentBottom_))
    numberOffset_ = 0;
  handledAny_ = true;
  if (settings_.scope == RunScope::allComponents)
    numberAll();
  else
    numberSelected();
}

void Planning::ignoreCurrent() {
  plan_.ignored.push_back(currentName_);
}

void Planning::numberAll() {
  if (model::designator::endsInLetter(currentName_)) {
    numberOffset_ = base::add16(numberOffset_, 1);
    ignoreCurrent();
    return;
  }
  if (board_) plan_.numberingOrder.push_back(current_);
  const std::string wanted = wantedName();
  // A prefix whose parts are not adjacent restarts its count: never reuse a name.
  const std::string target = freeNames_.firstFreeName(wanted, ownNameIfSole(current_));
  refuseTopReachingBottom(target);
  if (target != currentName_) rename(current_, target);
  numberOffset_ = base::add16(numberOffset_, 1);
}

void Planning::numberSelected() {
  if (model::designator::endsInLetter(currentName_) || design_.partAt(current_).selected)
    plan_.numberingOrder.push_back(current_);
  if (model::designator::endsInLetter(currentName_)) {
    numberOffset_ = base::add16(numberOffset_, 1);
    ++selectedDone_;
    ignoreCurrent();
    return;
  }
  if (!design_.partAt(current_).selected) return;
  ++selectedDone_;
  const std::string wanted = wantedName();
  if (settings_.conflictRule == ConflictRule::assignNextFree)
    assignNextFree(wanted);
  else
    renameDuplicate(wanted);
  numberOffset_ = base::add16(numberOffset_, 1);
}

std::string Planning::wantedName() {
  const std::string prefix = model::designator::prefix(currentName_);
  const base::Int16 start = startOfCurrent();
  std::string wanted = model::designator::compose(prefix, base::add16(start, numberOffset_));
  // The count goes past every name a rule keeps, borne or not.
  while (!held_.empty() && settings_.rules.holds(wanted)) {
    numberOffset_ = base::add16(numberOffset_, 1);
    wanted = model::designator::compose(prefix, base::add16(start, numberOffset_));
  }
  refuseTopReachingBottom(wanted);
  return wanted;
}

base::Int16 Planning::startOfCurrent() const {
  if (currentBottom_ && bottomStart()) return *bottomStart();
  return settings_.rules.startOf(model::designator::prefix(currentName_), settings_.start);
}

// The top side's count must stay below where the bottom side's starts, or
// the two sides would share numbers.
void Planning::refuseTopReachingBottom(const std::string& name) const {
  const std::optional<base::Int16> bottom = bottomStart();
  if (currentBottom_ || !bottom) return;
  if (model::designator::wholeNumber(name) < *bottom) return;
  const std::string prefix = model::designator::prefix(name);
  throw base::errors::refusal(base::errors::kNumberingRule,
                              "The top side's " + prefix + " parts would reach " +
                                  model::designator::compose(prefix, *bottom) +
                                  ", where the bottom side starts: choose a higher bottom start.");
}

// A name the component shares with another is no name of its own: it is
// renamed as if its wanted name were taken.
void Planning::assignNextFree(const std::string& wanted) {
  const std::size_t elsewhere = design_.bearers(wanted) - (wanted == currentName_ ? 1 : 0);
  if (elsewhere == 0 && wanted == currentName_) return;  // it bears its wanted name already
  const std::string target =
      elsewhere > 0
          ? freeNames_.firstFreeName(freeNames_.nextFreeName(wanted), ownNameIfSole(current_))
          : wanted;
  if (target != currentName_)
    rename(current_, target, target == wanted ? RenameReason::renamed : RenameReason::nextFreeName);
}

// Every other component that bears the wanted name moves to a free one.
void Planning::renameDuplicate(const std::string& wanted) {
  for (const std::int32_t blocker : design_.positionsOf(wanted)) {
    if (blocker == current_) continue;
    rename(blocker, freeNames_.firstFreeName(freeNames_.nextFreeName(wanted), ""),
           RenameReason::movedForDuplicate);
  }
  if (currentName_ != wanted) rename(current_, wanted);
}

// The component's own name, which counts as free for it, unless another
// component bears it too.
std::string Planning::ownNameIfSole(std::int32_t position) const {
  const std::string& name = design_.designatorAt(position);
  return design_.bearers(name) == 1 ? name : std::string();
}

void Planning::rename(std::int32_t position, const std::string& to, RenameReason reason) {
  const std::string from = design_.designatorAt(position);
  if (!design_.rename(position, to)) return;
  plan_.renames.push_back({position, from, to});
  plan_.reasons.push_back(reason);
  freeNames_.renamed(position, from, to);
}

void Planning::storeAllNames() {
  freeNames_.restart();
  for (std::int32_t position = 1; position <= design_.count(); ++position)
    allNames_.set(position - 1, design_.designatorAt(position));
}

void Planning::storeSelectedNames() {
  // The host's list has no first item when the design is empty.
  if (design_.count() == 0)
    throw base::Error(base::errors::kNoDesign, "The design has no components");
  int k = 0;
  selectedPositions_.clear();
  for (std::int32_t position = 1; position <= design_.count(); ++position) {
    if (!design_.partAt(position).selected || held(position)) continue;
    selectedNames_.set(k++, design_.designatorAt(position));
    selectedPositions_.push_back(position);
  }
}

std::int32_t Planning::countSelected() const {
  std::int32_t n = 0;
  for (std::int32_t position = 1; position <= design_.count(); ++position)
    if (design_.partAt(position).selected && !held(position)) ++n;
  return n;
}

std::optional<ProgressRange> Planning::progressRange() const {
  if (settings_.scope == RunScope::selectedComponents) {
    const std::int32_t n = countSelected();
    return ProgressRange{0, n <= 1 ? 1.0f : static_cast<float>(n - 1)};
  }
  const std::size_t steps =
      board_ ? board_->stops.size() : static_cast<std::size_t>(design_.count());
  return ProgressRange{0, static_cast<float>(steps) - 1};
}

// Before an all-components run, every component whose number lies in the
// range the run will give is moved to a temporary number above every number
// in use, so that numbering never meets a name still to be renamed.
void Planning::moveConflictsAside() {
  const std::int32_t count = design_.count();
  std::optional<std::int64_t> tempBase;  // worked out once a component must move
  std::int32_t movedCount = 0;
  std::unordered_map<std::string, std::int32_t> movedOf;  // by prefix
  for (std::int32_t position = 1; position <= count; ++position) {
    const std::string& name = allNames_[position - 1];
    if (held(position)) continue;
    const std::int64_t start =
        settings_.rules.startFor.empty()
            ? settings_.start
            : settings_.rules.startOf(model::designator::prefix(name), settings_.start);
    const std::int64_t last = start + count;  // one past the run's last number
    const std::int64_t n = model::designator::wholeNumber(name);
    if (!inMoveRange(n, start, count) || model::designator::endsInLetter(name)) continue;
    if (!tempBase) tempBase = highestNumber() + 1;
    const std::string prefix = model::designator::prefix(design_.designatorAt(position));
    // The moves are counted across prefixes; past 16 bits, each prefix counts
    // its own; past that, the first free number above the run's range.
    const std::int64_t shared = start + *tempBase + movedCount;
    const std::int64_t own = start + *tempBase + movedOf[prefix];
    rename(position,
           temporaryName(prefix, base::fitsInt16(shared) ? shared
                                 : base::fitsInt16(own)  ? own
                                                         : last + 1),
           RenameReason::movedAside);
    ++movedCount;
    ++movedOf[prefix];
  }
}

// A number the run may give: from the start to one past the count, or the
// same from the bottom side's own start.
bool Planning::inMoveRange(std::int64_t number, std::int64_t start, std::int64_t count) const {
  if (number >= start && number <= start + count) return true;
  const std::optional<base::Int16> bottom = bottomStart();
  return bottom && number >= *bottom && number <= std::int64_t{*bottom} + count;
}

std::optional<base::Int16> Planning::bottomStart() const {
  return board_ ? settings_.rules.board->bottomStart : std::nullopt;
}

base::Int16 Planning::highestNumber() const {
  base::Int16 max = 0;
  for (std::int32_t position = 1; position <= design_.count(); ++position)
    max = std::max(max, model::designator::wholeNumber(allNames_[position - 1]));
  return max;
}

// The first name of prefix from number on that no component bears: above
// the run's range, no final name is one. Below start 1, or once each prefix
// counts, a temporary number can meet one in use. A prefix whose numbers
// above the range are all taken is refused by name.
std::string Planning::temporaryName(const std::string& prefix, std::int64_t number) {
  try {
    if (!base::fitsInt16(number)) throw base::errors::overflow();
    return freeNames_.firstFreeName(model::designator::compose(prefix, base::toInt16(number)), "");
  } catch (const base::Error& e) {
    if (e.number() != base::errors::kOverflow) throw;
    throw base::errors::refusal(
        base::errors::kOverflow,
        "Overflow: the run needs a temporary name for a component of prefix " + prefix +
            ", and no number of " + prefix + " up to 32767 is free beyond the run's own.");
  }
}

void Planning::sortSelection() {
  storeSelectedNames();
  renumber::sortSelection(design_, selectedNames_, selectedPositions_, sortedNames_,
                          settings_.rules.placement);
}

}  // namespace varnel::renumber
