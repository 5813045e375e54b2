#pragma once
// What a run made, read from the design rather than guessed from its marks.
#include <vector>

#include "app/journal.h"
#include "model/design_snapshot.h"
#include "model/rename.h"

namespace varnel::app {

// The renames the journal's run made, as the design shows them now: its
// marks, then as many more of its planned renames as the design shows made
// (the one made just before Varnel was ended, or those whose marks did not
// reach the disk). A planned rename counts as made when the component at
// its position bears its new name; the marks only say where to start
// looking. The marks alone when the journal holds no plan, or when no count
// of planned renames matches the design (something else changed it).
std::vector<model::Rename> renamesMade(const Journal& journal, const model::DesignSnapshot& design);

}  // namespace varnel::app
