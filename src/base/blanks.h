#pragma once
// Blanks, as every text the designer types or a file holds may pad itself
// with them: spaces and tabs.
#include <string_view>

namespace varnel::base {

inline bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// text without the blanks around it.
inline std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace varnel::base
