#include "app/preview.h"

#include "app/ignored_report.h"

#include <algorithm>
#include <map>
#include <set>

#include "app/run_texts.h"
#include "eco/eco_format.h"
#include "model/designator.h"
#include "renumber/keep_right.h"
#include "renumber/numbering_rules_text.h"

namespace varnel::app {

const char* reasonText(renumber::RenameReason reason) {
  switch (reason) {
    case renumber::RenameReason::renamed:
      return "renamed";
    case renumber::RenameReason::movedAside:
      return "moved aside to a temporary number";
    case renumber::RenameReason::nextFreeName:
      return "given the next free name";
    case renumber::RenameReason::movedForDuplicate:
      return "moved aside for a duplicate";
    case renumber::RenameReason::takenBack:
      return "given its name back";
  }
  return "";
}

namespace {

std::string countOf(std::size_t n, const std::string& one, const std::string& many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::vector<MapPoint> mapOf(const model::DesignSnapshot& design,
                            const renumber::RenumberPlan& plan) {
  std::map<std::int32_t, std::string> last;
  for (const model::Rename& rename : plan.renames) last[rename.position] = rename.to;
  std::vector<MapPoint> points;
  for (std::int32_t position : plan.numberingOrder) {
    const model::Part& part = design.parts[position - 1];
    const auto renamed = last.find(position);
    const bool keeps = renamed == last.end() || renamed->second == part.designator;
    points.push_back({part.x, part.y, keeps ? part.designator : renamed->second, keeps});
  }
  return points;
}

// Where the map draws a board part: the top side as it is, the bottom side
// in a panel of its own to the right, mirrored when it is seen from below.
struct BoardPanels {
  double minX = 0, maxX = 0;
  bool seenFromBelow = true;
  MapPoint pointOf(const model::BoardPart& part, std::string label, bool keeps) const {
    if (part.side == model::BoardSide::top) return {part.x, part.y, std::move(label), keeps};
    const double width = maxX - minX, left = maxX + std::max(width * 0.15, 1.0);
    const double x = left + (seenFromBelow ? maxX - part.x : part.x - minX);
    return {x, part.y, std::move(label), keeps};
  }
};

BoardPanels panelsOf(const model::BoardPlacement& board, bool seenFromBelow) {
  BoardPanels panels{board.parts.empty() ? 0 : board.parts[0].x,
                     board.parts.empty() ? 0 : board.parts[0].x, seenFromBelow};
  for (const model::BoardPart& part : board.parts) {
    panels.minX = std::min(panels.minX, part.x);
    panels.maxX = std::max(panels.maxX, part.x);
  }
  return panels;
}

// Every part the file places, those the run numbers first, in numbering
// order and labelled as the sheet's map labels them.
std::vector<MapPoint> boardMapOf(const model::DesignSnapshot& design,
                                 const renumber::RenumberPlan& plan,
                                 const model::BoardPlacement& board, bool seenFromBelow) {
  const BoardPanels panels = panelsOf(board, seenFromBelow);
  std::map<std::string, const model::BoardPart*> placed;
  for (const model::BoardPart& part : board.parts) placed[part.designator] = &part;
  const std::vector<MapPoint> labelled = mapOf(design, plan);
  std::vector<MapPoint> points;
  std::set<std::string> drawn;
  std::map<std::string, std::size_t> colourOf;  // by prefix, in numbering order
  const model::BoardPart* previous = nullptr;
  for (std::size_t k = 0; k < plan.numberingOrder.size(); ++k) {
    const std::string& name = design.parts[plan.numberingOrder[k] - 1].designator;
    const auto part = placed.find(name);
    if (part == placed.end()) continue;
    MapPoint point = panels.pointOf(*part->second, labelled[k].label, labelled[k].keepsName);
    const std::string prefix = model::designator::prefix(name);
    point.colour = colourOf.try_emplace(prefix, colourOf.size()).first->second;
    point.joinsPrevious = previous && previous->side == part->second->side &&
                          model::designator::prefix(previous->designator) == prefix;
    points.push_back(std::move(point));
    previous = part->second;
    drawn.insert(name);
  }
  for (const model::BoardPart& part : board.parts)
    if (!drawn.contains(part.designator))
      points.push_back(panels.pointOf(part, part.designator, true)),
          points.back().joinsPrevious = false;
  return points;
}

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What the Preview says under the summary of a run by board position: a
// file that misses most of the design is likely older than it, and rows
// skipped for want of a designator are counted.
std::string boardNote(const model::DesignSnapshot& design, const renumber::RenumberPlan& plan,
                      const renumber::BoardSettings& board, const model::BoardPlacement& read) {
  std::string note;
  if (plan.notOnBoard.size() * 2 > design.parts.size())
    note = countOf(plan.notOnBoard.size(), "component", "components") + " of " +
           std::to_string(design.parts.size()) + " are not in " + fileNameOf(board.file) +
           (read.writtenOn.empty() ? "" : ", last written " + read.writtenOn) +
           ": the file is probably older than the design.";
  if (read.emptyDesignators > 0)
    note += (note.empty() ? "" : " ") +
            countOf(static_cast<std::size_t>(read.emptyDesignators), "row", "rows") +
            " of the file had no designator and were skipped.";
  return note;
}

}  // namespace

std::string rulesLine(const model::DesignSnapshot& design, const renumber::RenumberPlan& plan,
                      const renumber::NumberingRules& rules) {
  std::vector<std::string> said;
  if (rules.keepRight) said.push_back("names already right kept");
  if (!rules.locked.empty()) said.push_back("locked " + renumber::lockedText(rules.locked));
  if (!rules.onlyPrefixes.empty())
    said.push_back("only " + renumber::onlyPrefixesText(rules.onlyPrefixes));
  if (!rules.startFor.empty())
    said.push_back("starting at " + renumber::startForText(rules.startFor));
  if (!rules.lockedForRun.empty())
    said.push_back(countOf(rules.lockedForRun.size(), "row unchecked", "rows unchecked"));
  // Only a run over the selected components visits them by placement.
  if (!plan.numberingOrder.empty() && rules.placement != renumber::PlacementSettings{})
    said.push_back("in order " + renumber::placementWords(rules.placement));
  std::string line;
  for (const std::string& rule : said) line += (line.empty() ? "Rules: " : "; ") + rule;
  if (rules.keepRight || plan.renames.empty()) return line;
  const std::size_t kept = renumber::keepingRightNames(design, plan).renames.size();
  if (kept >= plan.renames.size()) return line;
  return line + (line.empty() ? "" : ". ") + "Keeping names that are already right would save " +
         countOf(plan.renames.size() - kept, "rename", "renames") + ".";
}

namespace {

void addRenameRows(Preview& preview, const model::DesignSnapshot& design,
                   const renumber::RenumberPlan& plan, PreviewRow::Check check) {
  for (std::size_t k = 0; k < plan.renames.size(); ++k) {
    const model::Rename& rename = plan.renames[k];
    preview.rows.push_back({k + 1, rename.from, rename.to,
                            k < plan.reasons.size() ? reasonText(plan.reasons[k]) : "", check,
                            design.parts[rename.position - 1].designator});
  }
}

// The designators left alone, after the renames: those ending in a letter,
// those without a prefix, and those a run by board position did not find.
void addLeftAloneRows(Preview& preview, const model::DesignSnapshot& design,
                      const renumber::RenumberPlan& plan) {
  for (const std::string& name : plan.ignored)
    preview.rows.push_back({0, name, name, "left alone: it ends in a letter"});
  for (const renumber::Unnamable& component : plan.unnamable)
    preview.rows.push_back(
        {0, component.designator, component.designator, "left alone: " + unnamableNote(component)});
  for (const std::int32_t position : plan.notOnBoard) {
    const std::string& name = design.parts[position - 1].designator;
    preview.rows.push_back({0, name, name, std::string(kNotOnBoard) + ": left alone"});
  }
  for (const std::string& name : plan.onlyOnBoard)
    preview.rows.push_back(
        {0, name, "", std::string(kOnlyOnBoard) + ": the design has no such part"});
}

std::string summaryOf(const model::DesignSnapshot& design, const renumber::RenumberPlan& plan,
                      const renumber::BoardSettings* byBoard) {
  if (plan.renames.empty()) return kNothingToRename;
  std::vector<std::string> oldNames, newNames;
  for (const model::Rename& rename : plan.renames) {
    oldNames.push_back(rename.from);
    newNames.push_back(rename.to);
  }
  const std::size_t sections = eco::sectionBreaks(oldNames, newNames).size() + 1;
  std::string summary =
      countOf(design.parts.size(), "component read", "components read") + ", " +
      countOf(plan.renames.size(), "rename", "renames") + ", " +
      countOf(plan.ignored.size() + plan.unnamable.size(), "left alone", "left alone") + ", " +
      countOf(sections, "ECO section", "ECO sections");
  if (byBoard) summary += ", by board position from " + fileNameOf(byBoard->file);
  return summary;
}

}  // namespace

Preview previewOf(const model::DesignSnapshot& design, const renumber::RenumberPlan& plan,
                  const std::string& title, const renumber::NumberingRules* rules,
                  const model::BoardPlacement* board) {
  const renumber::BoardSettings* byBoard =
      rules && rules->board && board ? &*rules->board : nullptr;
  Preview preview{title,
                  {},
                  {},
                  {},
                  {},
                  byBoard ? boardMapOf(design, plan, *board, byBoard->bottomSeenFromBelow)
                          : mapOf(design, plan)};
  addRenameRows(preview, design, plan,
                rules ? PreviewRow::Check::checked : PreviewRow::Check::none);
  addLeftAloneRows(preview, design, plan);
  if (byBoard) preview.note = boardNote(design, plan, *byBoard, *board);
  if (rules) {
    for (const std::string& name : rules->lockedForRun)
      preview.rows.push_back(
          {0, name, name, "kept: unchecked for this run", PreviewRow::Check::unchecked, name});
    preview.rules = rulesLine(design, plan, *rules);
  }
  preview.summary = summaryOf(design, plan, byBoard);
  return preview;
}

std::string previewText(const Preview& preview) {
  std::string text = "Step\tOld\tNew\tWhy\r\n";
  for (const PreviewRow& row : preview.rows)
    text += (row.step ? std::to_string(row.step) : std::string()) + "\t" + row.from + "\t" +
            row.to + "\t" + row.why + "\r\n";
  return text;
}

}  // namespace varnel::app
