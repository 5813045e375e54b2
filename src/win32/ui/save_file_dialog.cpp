#include "win32/ui/save_file_dialog.h"

#include <commdlg.h>

#include "base/error.h"
#include "win32/base/text.h"

namespace varnel::win {

std::string SaveFileDialog::askSavePath(const std::string& filter) {
  // "ECO files (*.eco) |*.eco|" becomes "ECO files (*.eco) \0*.eco\0\0".
  std::wstring filters = widen(filter);
  for (wchar_t& c : filters)
    if (c == L'|') c = L'\0';
  filters.push_back(L'\0');
  wchar_t path[MAX_PATH * 4] = L"";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filters.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = static_cast<DWORD>(std::size(path));
  // A name typed without extension gets ".eco"; replacing a file is asked.
  dialog.lpstrDefExt = L"eco";
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  if (GetSaveFileNameW(&dialog)) return narrow(path);
  if (const DWORD failure = CommDlgExtendedError())
    throw Error(failure,
                "The save dialog failed (common dialog error " + std::to_string(failure) + ")");
  return {};  // cancelled
}

}  // namespace varnel::win
