#include "win32/ui/open_file_dialog.h"

#include <commdlg.h>

#include <filesystem>

#include "base/error.h"
#include "win32/base/text.h"
#include "win32/ui/user_folders.h"

namespace varnel::win {

namespace {

// The folder of the file named, when it is still there.
std::wstring folderOf(const std::string& current) {
  std::error_code unreadable;
  const std::filesystem::path folder = std::filesystem::path(widen(current)).parent_path();
  if (!current.empty() && std::filesystem::is_directory(folder, unreadable))
    return folder.wstring();
  return widen(documentsFolder());
}

}  // namespace

std::wstring dialogFilter(std::wstring filter) {
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.push_back(L'\0');
  return filter;
}

std::optional<std::string> askOpenPath(HWND owner, const std::string& current,
                                       const wchar_t* filter) {
  const std::wstring filters = dialogFilter(filter);
  const std::wstring folder = folderOf(current);
  wchar_t path[MAX_PATH * 4] = L"";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = static_cast<DWORD>(std::size(path));
  dialog.lpstrInitialDir = folder.c_str();
  dialog.Flags =
      OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (GetOpenFileNameW(&dialog)) return narrow(path);
  if (const DWORD failure = CommDlgExtendedError())
    throw base::Error(
        failure, "The open dialog failed (common dialog error " + std::to_string(failure) + ")");
  return std::nullopt;
}

}  // namespace varnel::win
