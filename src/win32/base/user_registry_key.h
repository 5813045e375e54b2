#pragma once
// Values Varnel keeps for the user between sessions, under a key of
// HKEY_CURRENT_USER. A value that cannot be read is missing; one that cannot
// be written is not kept (the next session falls back as on its first).
#include <windows.h>

#include <optional>
#include <string>

namespace varnel::win {

inline constexpr wchar_t kVarnelSettingsKey[] = L"Software\\Varnel";

class UserRegistryKey {
 public:
  explicit UserRegistryKey(std::wstring path = kVarnelSettingsKey) : path_(std::move(path)) {}
  std::optional<DWORD> number(const wchar_t* name) const;
  void setNumber(const wchar_t* name, DWORD value) const;
  std::optional<std::wstring> text(const wchar_t* name) const;
  void setText(const wchar_t* name, const std::wstring& value) const;
  void erase(const wchar_t* name) const;

 private:
  std::wstring path_;
};

}  // namespace varnel::win
