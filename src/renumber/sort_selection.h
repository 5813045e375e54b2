#pragma once
// The selected components in placement order: grouped in runs of equal
// prefix as the list holds them, each run ordered by position on the sheet
// as the settings say (by default column by column, left to right, top to
// bottom within a column).
#include <cstdint>
#include <vector>

#include "model/name_table.h"
#include "model/placement_table.h"
#include "model/working_design.h"
#include "renumber/placement_settings.h"

namespace varnel::renumber {

// selectedNames in list order, positions beside them, into sorted. Error 6
// for a coordinate that is not a number.
void sortSelection(const model::WorkingDesign& design, const model::NameTable& selectedNames,
                   const std::vector<std::int32_t>& positions, model::PlacementTable& sorted,
                   const PlacementSettings& settings = {});

}  // namespace varnel::renumber
