#include "renumber/plan_renumbering.h"

#include "base/error.h"
#include "renumber/board_order.h"
#include "renumber/keep_right.h"
#include "renumber/planning.h"

namespace varnel::renumber {

namespace {

// The host's own words for a failure of the plan, and what it means here.
base::Error planRefusal(const base::Error& e) {
  std::string why = e.text();
  if (e.number() == base::errors::kOverflow && e.text() == "Overflow")
    why += ": a number this run would form lies outside -32768 to 32767.";
  else
    why += ".";
  return base::errors::refusal(e.number(), why);
}

RenumberPlan planWith(const model::DesignSnapshot& design, const RunSettings& settings,
                      const BoardOrder* board) {
  try {
    RenumberPlan plan = Planning(design, settings, board).run();
    if (settings.rules.keepRight) return keepingRightNames(design, plan);
    return plan;
  } catch (const base::Error& e) {
    throw planRefusal(e);
  }
}

}  // namespace

RenumberPlan planRenumbering(const model::DesignSnapshot& design, const RunSettings& settings) {
  return planWith(design, settings, nullptr);
}

RenumberPlan planRenumbering(const model::DesignSnapshot& design, const RunSettings& settings,
                             const model::BoardPlacement& board) {
  const BoardOrder order =
      boardOrder(design, board, settings.rules.board.value_or(BoardSettings{}), settings.scope);
  RenumberPlan plan = planWith(design, settings, &order);
  plan.notOnBoard = order.notOnBoard;
  plan.onlyOnBoard = order.onlyOnBoard;
  return plan;
}

}  // namespace varnel::renumber
