#pragma once
// The order in which a selected-components run visits each prefix: column by
// column or row by row, from any corner, with positions rounded to a grid
// first. The default is columns first, left to right, top to bottom (top is
// the larger Y), nothing rounded.
namespace varnel::renumber {

enum class Lines { columnsFirst, rowsFirst };
enum class Across { leftToRight, rightToLeft };
enum class Down { topToBottom, bottomToTop };

struct PlacementSettings {
  Lines lines = Lines::columnsFirst;
  Across across = Across::leftToRight;
  Down down = Down::topToBottom;
  double grid = 0;  // in the host's units; 0 rounds nothing

  bool operator==(const PlacementSettings&) const = default;
};

}  // namespace varnel::renumber
