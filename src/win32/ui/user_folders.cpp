#include "win32/ui/user_folders.h"

#include <windows.h>

#include <filesystem>

#include "win32/base/text.h"

namespace varnel::win {

std::string journalFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  const std::filesystem::path base =
      local && *local ? std::filesystem::path(local) : std::filesystem::temp_directory_path();
  return narrow((base / L"Varnel" / L"Journal").wstring());
}

}  // namespace varnel::win
