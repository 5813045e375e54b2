#pragma once
// The system's ANSI code page for the ECO file.
#include "eco/ansi_encoding.h"

namespace varnel::win {

class AnsiCodePage final : public eco::AnsiEncoder {
 public:
  // Nothing when a character has no exact byte (no best fit, no '?').
  std::optional<std::string> encode(std::string_view utf8) override;
};

}  // namespace varnel::win
