#pragma once
// The open-file dialog of a field that names a file: it opens in the folder
// of the file the field names (the last one chosen), or in Documents.
#include <windows.h>

#include <optional>
#include <string>

namespace varnel::win {

// The file chosen; nothing when the dialog was cancelled. Throws
// base::Error when the dialog itself fails.
std::optional<std::string> askOpenPath(HWND owner, const std::string& current,
                                       const wchar_t* filter);

// A filter as "Name (*.x)|*.x|" into the form the dialogs take, each part
// ended by a null and the whole by another.
std::wstring dialogFilter(std::wstring filter);

}  // namespace varnel::win
