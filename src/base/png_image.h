#pragma once
// PNG files without a compression library: 8-bit RGB, deflate "stored"
// blocks. Larger than a compressed PNG, read by every viewer.
#include <cstdint>
#include <string>
#include <vector>

namespace varnel::base {

// rgb holds width * height * 3 bytes, rows top to bottom.
std::string encodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

std::uint32_t crc32(const std::string& bytes);

}  // namespace varnel::base
