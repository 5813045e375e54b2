#include "win32/base/user_registry_key.h"

namespace varnel::win {

std::optional<DWORD> UserRegistryKey::number(const wchar_t* name) const {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, path_.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

void UserRegistryKey::setNumber(const wchar_t* name, DWORD value) const {
  RegSetKeyValueW(HKEY_CURRENT_USER, path_.c_str(), name, REG_DWORD, &value, sizeof value);
}

std::optional<std::wstring> UserRegistryKey::text(const wchar_t* name) const {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, path_.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr,
                   &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, path_.c_str(), name, RRF_RT_REG_SZ, nullptr, value.data(),
                   &bytes) != ERROR_SUCCESS)
    return std::nullopt;  // changed in between: as if never kept
  value.resize(value.find(L'\0'));
  return value;
}

void UserRegistryKey::setText(const wchar_t* name, const std::wstring& value) const {
  RegSetKeyValueW(HKEY_CURRENT_USER, path_.c_str(), name, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void UserRegistryKey::erase(const wchar_t* name) const {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, path_.c_str(), name);
}

}  // namespace varnel::win
