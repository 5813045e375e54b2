#include "app/preview.h"

#include "app/ignored_report.h"

#include <map>

#include "app/run_texts.h"
#include "eco/eco_format.h"
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

Preview previewOf(const model::DesignSnapshot& design, const renumber::RenumberPlan& plan,
                  const std::string& title, const renumber::NumberingRules* rules) {
  Preview preview{title, {}, {}, {}, {}, mapOf(design, plan)};
  const auto check = rules ? PreviewRow::Check::checked : PreviewRow::Check::none;
  std::vector<std::string> oldNames, newNames;
  for (std::size_t k = 0; k < plan.renames.size(); ++k) {
    const model::Rename& rename = plan.renames[k];
    preview.rows.push_back({k + 1, rename.from, rename.to,
                            k < plan.reasons.size() ? reasonText(plan.reasons[k]) : "", check,
                            design.parts[rename.position - 1].designator});
    oldNames.push_back(rename.from);
    newNames.push_back(rename.to);
  }
  for (const std::string& name : plan.ignored)
    preview.rows.push_back({0, name, name, "left alone: it ends in a letter"});
  for (const renumber::Unnamable& component : plan.unnamable)
    preview.rows.push_back(
        {0, component.designator, component.designator, "left alone: " + unnamableNote(component)});
  if (rules) {
    for (const std::string& name : rules->lockedForRun)
      preview.rows.push_back(
          {0, name, name, "kept: unchecked for this run", PreviewRow::Check::unchecked, name});
    preview.rules = rulesLine(design, plan, *rules);
  }
  const std::size_t sections = eco::sectionBreaks(oldNames, newNames).size() + 1;
  if (plan.renames.empty()) {
    preview.summary = kNothingToRename;
    return preview;
  }
  preview.summary =
      countOf(design.parts.size(), "component read", "components read") + ", " +
      countOf(plan.renames.size(), "rename", "renames") + ", " +
      countOf(plan.ignored.size() + plan.unnamable.size(), "left alone", "left alone") + ", " +
      countOf(sections, "ECO section", "ECO sections");
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
