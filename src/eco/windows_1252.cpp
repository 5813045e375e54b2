#include "eco/windows_1252.h"

#include <cstdint>

namespace varnel::eco {

namespace {

// Windows-1252 bytes 0x80-0x9F; 0 where the byte is undefined.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Decodes one UTF-8 character at i; nothing when the bytes are not UTF-8.
std::optional<char32_t> decode(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  const int extra = lead < 0x80           ? 0
                    : (lead >> 5) == 0x06 ? 1
                    : (lead >> 4) == 0x0E ? 2
                    : (lead >> 3) == 0x1E ? 3
                                          : -1;
  if (extra < 0 || i + extra >= text.size()) return std::nullopt;
  char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return std::nullopt;
  i += extra + 1;
  return code;
}

std::optional<char> toByte(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (int k = 0; k < 32; ++k)
    if (kHighControls[k] == code && code != 0) return static_cast<char>(0x80 + k);
  return std::nullopt;
}

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::optional<std::string> decodeWindows1252(std::string_view bytes) {
  std::string utf8;
  for (unsigned char c : bytes) {
    const char32_t code = c >= 0x80 && c < 0xA0 ? kHighControls[c - 0x80] : c;
    if (code == 0) return std::nullopt;
    appendUtf8(utf8, code);
  }
  return utf8;
}

std::optional<std::string> Windows1252Encoder::encode(std::string_view utf8) {
  std::string bytes;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto code = decode(utf8, i);
    if (!code) return std::nullopt;
    const auto byte = toByte(*code);
    if (!byte) return std::nullopt;
    bytes += *byte;
  }
  return bytes;
}

}  // namespace varnel::eco
