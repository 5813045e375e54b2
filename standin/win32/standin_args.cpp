#include "standin/win32/standin_args.h"

#include <windows.h>

#include <shellapi.h>

#include "win32/base/text.h"

namespace varnel::standin {

std::optional<StandinArgs> parseStandinArgs(const std::vector<std::string>& args) {
  StandinArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--autosave" && hasValue) {
      parsed.autosave = args[++i];
    } else if (args[i] == "--keep-eco" && hasValue) {
      parsed.keepEco = args[++i];
    } else if (args[i] == "--watch" && hasValue) {
      parsed.watch = args[++i];
    } else if (args[i] == "--strict") {
      parsed.strict = true;
    } else if ((args[i] == "--fail-after" || args[i] == "--busy-after" || args[i] == "--busy-for" ||
                args[i] == "--stop-at") &&
               hasValue) {
      const std::string& option = args[i];
      long value = 0;
      try {
        value = std::stol(args[++i]);
      } catch (const std::exception&) {
        return std::nullopt;
      }
      if (option == "--fail-after") parsed.failAfter = value;
      if (option == "--busy-after") parsed.busyAfter = value;
      if (option == "--busy-for") parsed.busyFor = value;
      if (option == "--stop-at") parsed.stopAt = value;
    } else if (args[i].rfind("--", 0) != 0 && !parsed.design) {
      parsed.design = args[i];
    } else {
      return std::nullopt;
    }
  }
  return parsed;
}

int showStartFailure(const wchar_t* title, const std::string& text) {
  MessageBoxW(nullptr, win::widen(text).c_str(), title, MB_OK | MB_ICONHAND);
  return 1;
}

std::vector<std::string> commandLineWords() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> out;
  for (int i = 1; i < count; ++i) out.push_back(win::narrow(words[i]));
  LocalFree(words);
  return out;
}

}  // namespace varnel::standin
