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

}  // namespace varnel::eco
