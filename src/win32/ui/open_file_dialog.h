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

}  // namespace varnel::win
