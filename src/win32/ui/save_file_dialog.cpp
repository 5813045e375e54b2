#include "win32/ui/save_file_dialog.h"

#include <commdlg.h>

#include <filesystem>

#include "base/error.h"
#include "win32/base/text.h"
#include "win32/ui/open_file_dialog.h"
#include "win32/ui/user_folders.h"

namespace varnel::win {

namespace {

constexpr wchar_t kLastEcoFolder[] = L"LastEcoFolder";

}  // namespace

std::string SaveFileDialog::startFolder() const {
  std::error_code unreadable;
  // A folder since removed, or a drive no longer there, is not offered.
  if (const auto kept = settings_.text(kLastEcoFolder);
      kept && !kept->empty() && std::filesystem::is_directory(*kept, unreadable))
    return narrow(*kept);
  return documentsFolder();
}

std::string SaveFileDialog::askSavePath(const std::string& filter,
                                        const std::string& proposedName) {
  // "ECO files (*.eco) |*.eco|" becomes "ECO files (*.eco) \0*.eco\0\0".
  const std::wstring filters = dialogFilter(widen(filter));
  // A path in the file box, not lpstrInitialDir: Windows may put its own
  // choice of folder before lpstrInitialDir, never before the path given.
  const std::string folder = startFolder();
  const std::wstring proposed =
      (std::filesystem::path(widen(folder)) / widen(proposedName)).wstring();
  wchar_t path[MAX_PATH * 4] = L"";
  if (proposed.size() < std::size(path)) proposed.copy(path, proposed.size());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filters.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = static_cast<DWORD>(std::size(path));
  // A name typed without extension gets ".eco"; replacing a file is asked.
  // The current folder stays: the one browsed to is not held open.
  dialog.lpstrDefExt = L"eco";
  dialog.Flags =
      OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (GetSaveFileNameW(&dialog)) return narrow(path);
  if (const DWORD failure = CommDlgExtendedError())
    throw base::Error(
        failure, "The save dialog failed (common dialog error " + std::to_string(failure) + ")");
  return {};  // cancelled
}

void SaveFileDialog::written(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(widen(path)).parent_path();
  if (!folder.empty()) settings_.setText(kLastEcoFolder, folder.wstring());
}

}  // namespace varnel::win
