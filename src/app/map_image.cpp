#include "app/map_image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace varnel::app {

std::vector<MapPixel> mapLayout(const std::vector<MapPoint>& map, int width, int height,
                                int margin) {
  std::vector<MapPixel> pixels;
  if (map.empty()) return pixels;
  double minX = map[0].x, maxX = minX, minY = map[0].y, maxY = minY;
  for (const MapPoint& p : map) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const double spanX = std::max(1.0, maxX - minX), spanY = std::max(1.0, maxY - minY);
  const double scale = std::min((width - 2 * margin) / spanX, (height - 2 * margin) / spanY);
  for (const MapPoint& p : map)
    pixels.push_back({margin + static_cast<int>((p.x - minX) * scale),
                      height - 1 - margin - static_cast<int>((p.y - minY) * scale)});
  return pixels;
}

namespace {

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), rgb_(width * height * 3, 255) {}
  void set(int x, int y, const std::uint8_t* colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    std::copy(colour, colour + 3, rgb_.begin() + (y * width_ + x) * 3);
  }
  // Bresenham's line, two pixels thick.
  void line(MapPixel a, MapPixel b, const std::uint8_t* colour) {
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    for (int error = dx + dy;;) {
      set(a.x, a.y, colour);
      set(a.x + 1, a.y, colour);
      set(a.x, a.y + 1, colour);
      if (a.x == b.x && a.y == b.y) return;
      const int twice = 2 * error;
      if (twice >= dy) error += dy, a.x += sx;
      if (twice <= dx) error += dx, a.y += sy;
    }
  }
  void dot(MapPixel at, const std::uint8_t* colour) {
    for (int y = -3; y <= 3; ++y)
      for (int x = -3; x <= 3; ++x) set(at.x + x, at.y + y, colour);
  }
  std::vector<std::uint8_t> take() { return std::move(rgb_); }

 private:
  int width_, height_;
  std::vector<std::uint8_t> rgb_;
};

}  // namespace

std::vector<std::uint8_t> mapPixels(const std::vector<MapPoint>& map, int width, int height) {
  Canvas canvas(width, height);
  const auto at = mapLayout(map, width, height, 16);
  for (std::size_t k = 1; k < at.size(); ++k)
    if (map[k].joinsPrevious) canvas.line(at[k - 1], at[k], mapLineColour(map[k].colour));
  static const std::uint8_t kBlack[3] = {0, 0, 0}, kGrey[3] = {150, 150, 150};
  for (std::size_t k = 0; k < at.size(); ++k) canvas.dot(at[k], map[k].keepsName ? kGrey : kBlack);
  return canvas.take();
}

namespace {

// How far the direction (dx, dy) leads along the line from pixels[k] to
// pixels[other], from -1 (away from it) to 1 (along it).
double alongSegment(const std::vector<MapPixel>& pixels, std::size_t k, std::size_t other,
                    double dx, double dy) {
  const double sx = pixels[other].x - pixels[k].x, sy = pixels[other].y - pixels[k].y;
  const double length = std::hypot(sx, sy);
  return length == 0 ? -1 : (sx * dx + sy * dy) / length / std::sqrt(2.0);
}

}  // namespace

const std::uint8_t* mapLineColour(std::size_t colour) {
  static const std::uint8_t kOthers[][3] = {
      {200, 60, 0}, {0, 140, 60}, {150, 0, 150}, {170, 130, 0}, {0, 140, 160}};
  if (colour == 0) return kMapLine;
  return kOthers[(colour - 1) % std::size(kOthers)];
}

LabelCorner labelCorner(const std::vector<MapPixel>& pixels, std::size_t k) {
  // In the order tried: above right wins ties, where labels stood before.
  const struct {
    LabelCorner corner;
    double dx, dy;  // screen Y downwards
  } corners[] = {{LabelCorner::aboveRight, 1, -1},
                 {LabelCorner::aboveLeft, -1, -1},
                 {LabelCorner::belowRight, 1, 1},
                 {LabelCorner::belowLeft, -1, 1}};
  LabelCorner best = LabelCorner::aboveRight;
  double bestCloseness = 2;
  for (const auto& c : corners) {
    double closeness = -1;
    if (k > 0) closeness = std::max(closeness, alongSegment(pixels, k, k - 1, c.dx, c.dy));
    if (k + 1 < pixels.size())
      closeness = std::max(closeness, alongSegment(pixels, k, k + 1, c.dx, c.dy));
    if (closeness < bestCloseness - 1e-9) {
      best = c.corner;
      bestCloseness = closeness;
    }
  }
  return best;
}

}  // namespace varnel::app
