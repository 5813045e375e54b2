#pragma once
// The stand-in PowerPCB's layout: parts named like the schematic's.
#include <string_view>

#include "standin/design.h"

namespace varnel::standin {

inline constexpr std::int64_t kEcoUnknownPart = 0x80040302;
inline constexpr std::int64_t kEcoNameExists = 0x80040303;

// Reads an ECO file and renames the layout's parts, section by section, in
// order. A malformed file, a rename of a part that is not there, or to a
// name another part has, throws varnel::base::Error and leaves the layout as it was.
void applyEco(DesignData& layout, std::string_view bytes);

}  // namespace varnel::standin
