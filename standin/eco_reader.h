#pragma once
// Reads an ECO file as the stand-in PowerPCB does: every line as the writer
// lays it out, CR LF after each, or the file is refused.
#include <string>
#include <string_view>
#include <vector>

namespace varnel::standin {

inline constexpr std::int64_t kMalformedEco = 0x80040301;

struct EcoRename {
  std::string from;
  std::string to;
  bool operator==(const EcoRename&) const = default;
};

using EcoSection = std::vector<EcoRename>;

// The sections with their renames, names in UTF-8 (the file is
// Windows-1252). Throws varnel::base::Error kMalformedEco naming the line.
std::vector<EcoSection> readEco(std::string_view bytes);

}  // namespace varnel::standin
