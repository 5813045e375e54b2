// The journal reader, which decides what closing a cut-off run does: never
// crashes; refuses with the one error of its own; a record cut short at the
// end changes nothing; what it reads, recovery and undo plan on without
// failing but by refusal.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/journal.h"
#include "app/renames_made.h"
#include "renumber/plan_finish.h"
#include "renumber/plan_undo.h"

namespace {

using namespace varnel;

// A design the journal's run could have left: each planned position with
// the name it was planned from.
model::DesignSnapshot designOf(const app::Journal& journal) {
  model::DesignSnapshot design;
  std::int32_t count = 0;
  for (const model::Rename& rename : journal.plan) count = std::max(count, rename.position);
  design.parts.resize(static_cast<std::size_t>(std::min(count, 256)), model::Part{"X"});
  for (std::size_t k = 0; k < design.parts.size(); ++k)
    design.parts[k].designator = "X" + std::to_string(k + 1);
  for (const model::Rename& rename : journal.plan)
    if (rename.position <= 256) design.parts[rename.position - 1].designator = rename.from;
  return design;
}

void planOn(const app::Journal& journal) {
  const model::DesignSnapshot design = designOf(journal);
  const auto made = app::renamesMade(journal, design);
  if (made.size() > std::max(journal.plan.size(), journal.renames.size())) std::abort();
  try {
    renumber::planUndo(design, made);
  } catch (const base::Error&) {
  }
  try {
    renumber::planFinish(design, journal.plan, std::min(made.size(), journal.plan.size()));
  } catch (const base::Error&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  app::Journal journal;
  try {
    journal = app::parseJournal(text);
  } catch (const base::Error& e) {
    if (e.number() != base::errors::kNotAJournal) std::abort();
    return 0;
  }
  const app::Journal cut = app::parseJournal(text + "rename 1 R");
  if (cut.renames != journal.renames || cut.plan != journal.plan || cut.end != journal.end)
    std::abort();
  planOn(journal);
  return 0;
}
