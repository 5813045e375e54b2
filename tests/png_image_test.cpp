#include "base/png_image.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(PngImage, HasTheKnownCrcAndAWellFormedLayout) {
  EXPECT_EQ(base::crc32("IEND"), 0xAE426082u);
  EXPECT_EQ(base::crc32("123456789"), 0xCBF43926u);
  const std::string png = base::encodePng(2, 1, {255, 0, 0, 0, 0, 255});
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_TRUE(png.ends_with(std::string("IEND\xAE\x42\x60\x82", 8)));
  // 1 row: filter byte + 6 pixel bytes, in one stored block.
  const auto idat = png.find("IDAT");
  EXPECT_EQ(png.substr(idat + 4, 7), std::string("\x78\x01\x01\x07\x00\xF8\xFF", 7));
}

TEST(PngImage, SplitsLargeImagesIntoStoredBlocksOf65535Bytes) {
  const int width = 200, height = 200;  // 120200 raw bytes: two blocks
  const std::string png =
      base::encodePng(width, height, std::vector<std::uint8_t>(width * height * 3, 7));
  const auto idat = png.find("IDAT");
  EXPECT_EQ(static_cast<unsigned char>(png[idat + 6]), 0u) << "first block is not the last";
  const std::size_t second = idat + 4 + 2 + 5 + 65535;
  EXPECT_EQ(static_cast<unsigned char>(png[second]), 1u);
}

}  // namespace
}  // namespace varnel
