#pragma once
// Paths are UTF-8 text everywhere in the core; the file system takes them here.
#include <filesystem>
#include <string>

namespace varnel::base {

inline std::filesystem::path pathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace varnel::base
