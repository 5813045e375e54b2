#include "renumber/board_order.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "model/designator.h"

namespace varnel::renumber {

namespace {

// The grid cell a coordinate rounds to, half to even; without a grid the
// coordinate itself.
double cellOf(double value, double grid) {
  return grid > 0 ? std::nearbyint(value / grid) : value;
}

bool onChosenSide(model::BoardSide side, Sides sides) {
  return sides == Sides::both || (side == model::BoardSide::top) == (sides == Sides::topOnly);
}

struct Entry {
  std::string prefix;
  model::BoardSide side;
  BoardKey key;
  base::Int16 number;
  std::string designator;
  std::int32_t position;
};

bool comesBefore(const Entry& a, const Entry& b) {
  return std::tie(a.prefix, a.side, a.key.line, a.key.along, a.number, a.designator, a.position) <
         std::tie(b.prefix, b.side, b.key.line, b.key.along, b.number, b.designator, b.position);
}

}  // namespace

BoardKey boardKeyOf(const model::BoardPart& part, const BoardSettings& settings) {
  const PlacementSettings& order = settings.placement;
  const bool mirrored = part.side == model::BoardSide::bottom && settings.bottomSeenFromBelow;
  const double x = cellOf(mirrored ? -part.x : part.x, order.grid);
  const double y = cellOf(part.y, order.grid);
  const double across = order.across == Across::leftToRight ? x : -x;
  const double down = order.down == Down::topToBottom ? -y : y;  // the top is the larger Y
  return order.lines == Lines::columnsFirst ? BoardKey{across, down} : BoardKey{down, across};
}

BoardOrder boardOrder(const model::DesignSnapshot& design, const model::BoardPlacement& board,
                      const BoardSettings& settings, RunScope scope) {
  std::unordered_map<std::string, const model::BoardPart*> placed;
  for (const model::BoardPart& part : board.parts) placed.emplace(part.designator, &part);
  BoardOrder order;
  std::unordered_set<std::string> inDesign;
  std::vector<Entry> entries;
  for (std::size_t k = 0; k < design.parts.size(); ++k) {
    const model::Part& component = design.parts[k];
    const auto position = static_cast<std::int32_t>(k + 1);
    inDesign.insert(component.designator);
    const auto found = placed.find(component.designator);
    if (found == placed.end()) {
      order.notOnBoard.push_back(position);
      continue;
    }
    const model::BoardPart& part = *found->second;
    if (!onChosenSide(part.side, settings.sides) ||
        !model::designator::beginsWithLetter(component.designator) ||
        (scope == RunScope::selectedComponents && !component.selected))
      continue;
    entries.push_back(
        {model::designator::prefix(component.designator), part.side, boardKeyOf(part, settings),
         model::designator::wholeNumber(component.designator), component.designator, position});
  }
  std::sort(entries.begin(), entries.end(), comesBefore);
  for (const Entry& entry : entries) order.stops.push_back({entry.position, entry.side});
  for (const model::BoardPart& part : board.parts)
    if (!inDesign.contains(part.designator)) order.onlyOnBoard.push_back(part.designator);
  return order;
}

}  // namespace varnel::renumber
