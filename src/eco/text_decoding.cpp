#include "eco/text_decoding.h"

#include <cstdint>

#include "eco/windows_1252.h"

namespace varnel::eco {

namespace {

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

constexpr std::uint32_t kReplacement = 0xFFFD;

// UTF-16 code units as UTF-8; a surrogate without its partner is replaced.
std::string fromUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  auto unitAt = [&](std::size_t i) {
    const auto first = static_cast<std::uint8_t>(bytes[i]);
    const auto second = static_cast<std::uint8_t>(bytes[i + 1]);
    return static_cast<std::uint32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const std::uint32_t unit = unitAt(i);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      const std::uint32_t low = unitAt(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    appendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
  }
  return out;
}

// The length of the UTF-8 sequence at bytes[i], or 0 when none begins there.
std::size_t utf8SequenceAt(std::string_view bytes, std::size_t i) {
  const auto lead = static_cast<std::uint8_t>(bytes[i]);
  const std::size_t length = lead < 0x80                   ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
  if (length == 0 || i + length > bytes.size()) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<std::uint8_t>(bytes[i + k]) & 0xC0) != 0x80) return 0;
  return length;
}

bool isUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = utf8SequenceAt(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

// The five bytes Windows-1252 leaves undefined become the replacement character.
std::string fromWindows1252(std::string_view bytes) {
  if (auto whole = decodeWindows1252(bytes)) return *whole;
  std::string out;
  for (const char byte : bytes) {
    const auto one = decodeWindows1252(std::string_view(&byte, 1));
    if (one)
      out += *one;
    else
      appendUtf8(out, kReplacement);
  }
  return out;
}

}  // namespace

std::string decodeText(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return fromUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return fromUtf16(bytes.substr(2), true);
  if (isUtf8(bytes)) return std::string(bytes);
  return fromWindows1252(bytes);
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(begin, i - begin));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (begin < text.size()) lines.push_back(text.substr(begin));
  return lines;
}

}  // namespace varnel::eco
