// The dry run: the design is read once, copied into memory, and the whole
// algorithm runs on the copy. Whatever would fail (a number past 16 bits, a
// table past 10001 entries, an empty design) fails here, before the real
// design is touched.
#include "engine/run_plan.h"

#include "model/designator.h"
#include "engine/frm_ren_part.h"
#include "app/option_values.h"
#include "app/run_options.h"

namespace varnel {

namespace {

constexpr std::int64_t kNoPrefix = 1003;

Error refusal(std::int64_t number, const std::string& why) {
  return Error(number, why + " Nothing was renamed.");
}

}  // namespace

struct DesignCopy {
  standin::DesignData design;
  int selected = 0;
};

void frmRenPart::readDesign(Int16 mode, RunPlan& plan, DesignCopy& copy) {
  copy.design.scopes = powerlogicdoc->Scopes()->Count();
  partList = componentListFor(copy.design.scopes);
  const std::int32_t count = partList->Count();
  if (count > NameTable::kCapacity)
    throw refusal(errors::kSubscriptOutOfRange, "The design has " + std::to_string(count) +
                                                    " components; Varnel renumbers at most 10001.");
  for (std::int32_t i = 1; i <= count; ++i) {
    auto part = partList->Item(i);
    standin::PartData data{part->Name()};
    if (data.designator.empty())
      throw refusal(errors::kObjectNotSet, "The component at position " + std::to_string(i) +
                                               " has no reference designator.");
    // Only a selected-components run needs the selection and the placements.
    if (mode == 1 && (data.selected = part->Selected())) {
      auto placement = part->Placements()->Item(1);
      data.x = placement->X(0);
      data.y = placement->Y(0);
      ++copy.selected;
    }
    copy.design.parts.push_back(std::move(data));
    plan.components.push_back(std::move(part));
  }
  if (copy.selected > NameTable::kCapacity)
    throw refusal(errors::kSubscriptOutOfRange,
                  std::to_string(copy.selected) +
                      " components are selected; Varnel renumbers at most 10001.");
}

// What a run may not do although it could: leave a designator without its
// letters, or change names that the requested ECO file could not carry.
void frmRenPart::checkPlannedNames(const RunPlan& plan) {
  for (const standin::RenameRecord& rename : plan.renames) {
    if (designator::prefix(rename.from).empty())
      throw refusal(kNoPrefix, "The designator '" + rename.from +
                                   "' does not begin with a capital letter (A-Z); the run would "
                                   "rename it to '" +
                                   rename.to + "'. Rename it by hand first.");
    if (!platform_.options->chkSend()) continue;
    try {
      ecoEncoded(rename.from);
      ecoEncoded(rename.to);
    } catch (const Error& e) {
      throw refusal(e.number(), e.text());
    }
  }
}

RunPlan frmRenPart::planRun(Int16 mode) {
  RunPlan plan;
  DesignCopy copy;
  readDesign(mode, plan, copy);

  auto copyHost = std::make_shared<standin::MemoryHost>(std::move(copy.design));
  ui::ProgressValues progress;
  progress.minimum = platform_.progress->min();
  progress.maximum = platform_.progress->max();
  progress.current = platform_.progress->value();
  frmRenPart dry(Platform{platform_.options, &progress});
  dry.powerLogicApp = copyHost;
  dry.powerlogicdoc = copyHost->ActiveDocument();
  dry.partList = dry.chooseComponentList();
  dry.tyhjenna();
  try {
    dry.runSteps(mode, [&] {
      plan.steps.push_back({copyHost->renames().size(), dry.ignoredCount});
    });
  } catch (const Error& e) {
    std::string why = e.text();
    if (e.number() == errors::kOverflow && e.text() == "Overflow")
      why += ": a number this run would form lies outside -32768 to 32767.";
    else if (e.number() == errors::kSubscriptOutOfRange)
      why += ": the run would need more than 10001 entries in a table.";
    else
      why += ".";
    throw refusal(e.number(), why);
  }
  plan.renames = copyHost->renames();
  checkPlannedNames(plan);
  for (int i = 0; i < dry.ignoredNames.usedCount(); ++i)
    plan.ignored.push_back(dry.ignoredNames[i]);
  plan.progressMin = progress.minimum;
  plan.progressMax = progress.maximum;
  return plan;
}

}  // namespace varnel
