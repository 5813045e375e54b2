#include "win32/console_output.h"

#include <windows.h>

namespace varnel::win {

namespace {

// A GUI program has no console of its own: the parent's, when it has one.
HANDLE consoleHandle() {
  static HANDLE console = [] {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return INVALID_HANDLE_VALUE;
    return CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                       nullptr);
  }();
  return console;
}

}  // namespace

void writeToConsole(const std::string& text, bool toError) {
  HANDLE handle = GetStdHandle(toError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) handle = consoleHandle();
  if (handle == INVALID_HANDLE_VALUE || text.empty()) return;
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace varnel::win
