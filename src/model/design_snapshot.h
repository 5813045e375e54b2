#pragma once
// The design as PowerLogic showed it when a run read it: a value.
#include <cstdint>
#include <string>
#include <vector>

namespace varnel::model {

// A component in list order. A run over all components reads only its
// designator; the selection and the first placement are read for a run over
// the selected ones.
struct Part {
  std::string designator;
  double x = 0;
  double y = 0;
  bool selected = false;

  bool operator==(const Part&) const = default;
};

struct DesignSnapshot {
  // The stand-ins' design files name their design here. A run leaves it
  // empty: the link to PowerLogic holds the name of the design it works on.
  std::string name;
  std::int32_t scopes = 1;  // the number of the design's scopes (sheets)
  std::vector<Part> parts;  // in the host's list order

  bool operator==(const DesignSnapshot&) const = default;
};

}  // namespace varnel::model
