// The Preview's map of a run by board position at 96 and 144 DPI: laid out
// beside the list, both sides drawn in their panels, each prefix's line in
// its own colour, every dot where the map puts it and the labels in the
// DPI's font.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/map_image.h"
#include "app/preview.h"
#include "renumber/plan_renumbering.h"
#include "wine_window.h"

namespace varnel {
namespace {

using model::BoardSide;
using tests::rectIn;

// Two prefixes on both sides of a board, far enough apart that every label
// has room, and a mounting hole the file does not place.
app::Preview boardPreview() {
  const struct {
    const char* name;
    double x, y;
    BoardSide side;
  } parts[] = {{"R3", 0, 0, BoardSide::top},      {"R1", 40, 0, BoardSide::top},
               {"R2", 80, 30, BoardSide::top},    {"C2", 0, 40, BoardSide::top},
               {"C1", 60, 40, BoardSide::top},    {"R4", 10, 10, BoardSide::bottom},
               {"R5", 70, 20, BoardSide::bottom}, {"C3", 30, 35, BoardSide::bottom},
               {"C4", 75, 40, BoardSide::bottom}};
  model::DesignSnapshot design;
  model::BoardPlacement board;
  for (const auto& part : parts) {
    design.parts.push_back({part.name});
    board.parts.push_back({part.name, part.x, part.y, part.side});
  }
  design.parts.push_back({"MH1"});
  renumber::RunSettings settings;
  settings.rules.board = renumber::BoardSettings{};
  settings.rules.board->file = "C:\\pcb\\board.pos";
  const renumber::RenumberPlan plan = renumber::planRenumbering(design, settings, board);
  return app::previewOf(design, plan, "Preview", &settings.rules, &board);
}

bool apart(const RECT& a, const RECT& b) {
  return a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
}

// What the map child paints, as rows of 0xRRGGBB, top to bottom.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

Picture paintedMap(HWND map) {
  RECT client;
  GetClientRect(map, &client);
  Picture picture{client.right, client.bottom, {}};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(map, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  const auto* bgra = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(bgra, bgra + std::size_t(picture.width) * picture.height);
  for (std::uint32_t& p : picture.pixels) p &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return picture;
}

std::uint32_t rgbOf(const std::uint8_t* rgb) {
  return std::uint32_t(rgb[0]) << 16 | std::uint32_t(rgb[1]) << 8 | rgb[2];
}

// The map's dots, lines and labels at dpi; returns how many label pixels it found.
int expectMapDrawn(const app::Preview& preview, const Picture& picture, UINT dpi) {
  const auto pixels = app::mapLayout(preview.map, picture.width, picture.height,
                                     MulDiv(24, static_cast<int>(dpi), 96));
  const int half = MulDiv(3, static_cast<int>(dpi), 96);
  int topRight = 0, bottomLeft = picture.width;
  for (std::size_t k = 0; k < preview.map.size(); ++k) {
    SCOPED_TRACE(preview.map[k].label);
    EXPECT_EQ(picture.at(pixels[k].x, pixels[k].y), preview.map[k].keepsName ? 0x969696u : 0u);
    const bool bottom = preview.map[k].x > 100;  // the bottom panel lies right of the board
    if (bottom) bottomLeft = std::min(bottomLeft, pixels[k].x);
    if (!bottom) topRight = std::max(topRight, pixels[k].x);
  }
  EXPECT_LT(topRight, bottomLeft) << "the bottom side in a panel of its own";
  // Each prefix's line in its colour, on both sides.
  for (std::size_t colour : {0u, 1u}) {
    std::array<int, 2> found{};
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x)
        if (picture.at(x, y) == rgbOf(app::mapLineColour(colour))) ++found[x > topRight];
    EXPECT_GT(found[0], 0) << "colour " << colour << " on the top side";
    EXPECT_GT(found[1], 0) << "colour " << colour << " on the bottom side";
  }
  int labelPixels = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      bool onDot = false;
      for (const app::MapPixel& p : pixels)
        onDot = onDot || (std::abs(x - p.x) <= half && std::abs(y - p.y) <= half);
      labelPixels += !onDot && picture.at(x, y) == 0;
    }
  return labelPixels;
}

TEST(BoardMap, IsDrawnBesideTheListWithBothSidesAtEitherDpi) {
  tests::LocalWindow w("R1");
  const app::Preview preview = boardPreview();
  ASSERT_EQ(preview.map.size(), 9u);
  w.program.preview().showPreview(preview);
  HWND window = w.program.preview().handle(), map = w.program.preview().map();
  ASSERT_TRUE(window && map && IsWindowVisible(map));
  std::vector<int> labelPixels;
  for (UINT dpi : {96u, 144u}) {
    SCOPED_TRACE(dpi);
    RECT suggested{40, 30, 40 + 900, 30 + 520};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT client;
    GetClientRect(window, &client);
    const RECT drawn = rectIn(window, map), list = rectIn(window, w.program.preview().list());
    EXPECT_TRUE(drawn.left >= list.right && drawn.right <= client.right && drawn.top >= 0);
    for (HWND other : {w.program.preview().summary(), w.program.preview().note(),
                       GetDlgItem(window, IDOK), GetDlgItem(window, IDCANCEL)})
      EXPECT_TRUE(apart(drawn, rectIn(window, other)));
    labelPixels.push_back(expectMapDrawn(preview, paintedMap(map), dpi));
  }
  EXPECT_GT(labelPixels[0], 0) << "the labels are drawn";
  EXPECT_GT(labelPixels[1], labelPixels[0] * 3 / 2) << "in the larger font of 144 DPI";
}

}  // namespace
}  // namespace varnel
