#pragma once
// A schematic design as the stand-in PowerLogic holds it, in list order.
#include <cstdint>
#include <string>
#include <vector>

namespace varnel::standin {

struct PartData {
  std::string designator;
  double x = 0;
  double y = 0;
  bool selected = false;

  bool operator==(const PartData&) const = default;
};

struct DesignData {
  std::string name;
  std::int32_t scopes = 1;
  std::vector<PartData> parts;

  bool operator==(const DesignData&) const = default;
};

}  // namespace varnel::standin
