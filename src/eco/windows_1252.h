#pragma once
// Windows-1252: the ANSI code page of the native build, both ways.
#include <optional>
#include <string>
#include <string_view>

#include "eco/ansi_encoding.h"

namespace varnel::eco {

// Windows-1252, the code page of the native build.
class Windows1252Encoder final : public AnsiEncoder {
 public:
  std::optional<std::string> encode(std::string_view utf8) override;
};

// Windows-1252 bytes as UTF-8; nothing for the five bytes it leaves undefined.
std::optional<std::string> decodeWindows1252(std::string_view bytes);

}  // namespace varnel::eco
