#pragma once
// Names go into the ECO file as single bytes of the ANSI code page.
#include <optional>
#include <string>
#include <string_view>

namespace varnel::eco {

class AnsiEncoder {
 public:
  virtual ~AnsiEncoder() = default;
  // The bytes of utf8 in the code page, or nothing when a character has no
  // exact byte there (nothing is ever replaced by '?').
  virtual std::optional<std::string> encode(std::string_view utf8) = 0;
};

// Windows-1252, the code page of the native build.
class Windows1252Encoder final : public AnsiEncoder {
 public:
  std::optional<std::string> encode(std::string_view utf8) override;
};

// Windows-1252 bytes as UTF-8; nothing for the five bytes it leaves undefined.
std::optional<std::string> decodeWindows1252(std::string_view bytes);

}  // namespace varnel::eco
