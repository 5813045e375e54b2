#pragma once
// UTF-8 (the core's texts) to UTF-16 (Windows') and back.
#include <string>
#include <string_view>

namespace varnel::win {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace varnel::win
