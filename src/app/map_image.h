#pragma once
// The map of a selected-components run as a picture: the components at their
// placements, scaled to fit, the sheet's Y upwards, a line through them in
// the order they are numbered. The Preview window and --map draw the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/preview.h"

namespace varnel::app {

struct MapPixel {
  int x, y;
};

// Where each point of map lies in a picture of width by height pixels.
std::vector<MapPixel> mapLayout(const std::vector<MapPoint>& map, int width, int height,
                                int margin);

// The corner beside a point where its label goes: the one farthest from the
// line through the point, so that the label never lies across it.
enum class LabelCorner { aboveRight, aboveLeft, belowRight, belowLeft };
LabelCorner labelCorner(const std::vector<MapPixel>& pixels, std::size_t k);

// The map as 8-bit RGB rows, top to bottom: white ground, a blue line, a
// black dot for each component renamed, grey for one that keeps its name.
std::vector<std::uint8_t> mapPixels(const std::vector<MapPoint>& map, int width, int height);

inline constexpr std::uint8_t kMapLine[3] = {0, 90, 200};

// The line's colour of a map point's colour number: the first is kMapLine,
// the others follow in turn.
const std::uint8_t* mapLineColour(std::size_t colour);

}  // namespace varnel::app
