#pragma once
// Driving the desktop from a program (the demo, the tests): answering
// dialogs from a second thread, starting the stand-ins, pumping messages.
#include <windows.h>

#include <stdexcept>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "win32/base/text.h"
#include "win32/com/com_error.h"
#include "win32/com/dispatch_object.h"
#include "win32/com/running_object.h"
#include "win32/com/variant_conversions.h"

namespace varnel::win {

// Answers every dialog this process shows: message boxes with OK (Yes when
// they ask), save dialogs with the path given (or Cancel when it is empty).
// Records them, with the window that owns each.
class DialogAnswerer {
 public:
  struct Seen {
    std::string title, text;
    HWND owner = nullptr;
  };
  // Called on the answering thread with each save dialog, or with every
  // dialog, before it is answered.
  using SaveDialogHook = std::function<void(HWND dialog)>;
  using DialogHook = std::function<void(HWND dialog)>;

  explicit DialogAnswerer(std::string savePath = "", SaveDialogHook hook = {},
                          DialogHook everyDialog = {})
      : savePath_(std::move(savePath)), hook_(std::move(hook)), everyHook_(std::move(everyDialog)) {
    thread_ = std::thread([this] {
      while (!stop_) {
        EnumWindows(&DialogAnswerer::visit, reinterpret_cast<LPARAM>(this));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
      }
    });
  }
  ~DialogAnswerer() {
    stop_ = true;
    thread_.join();
  }
  std::vector<Seen> seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
  }

 private:
  // A long message's field ends its lines in CR LF; a message box's text in LF.
  static std::string textOf(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    std::erase(text, L'\r');
    return narrow(text);
  }

  static BOOL CALLBACK visit(HWND window, LPARAM self) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t kind[32] = L"";
    GetClassNameW(window, kind, 32);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        std::wstring(kind) == L"#32770")
      reinterpret_cast<DialogAnswerer*>(self)->answer(window);
    return TRUE;
  }

  void answer(HWND dialog) {
    // A dialog stays visible for a moment after its answer: answer it once.
    std::erase_if(answered_, [](HWND w) { return !IsWindow(w); });
    if (!answered_.insert(dialog).second) return;
    HWND fileName = GetDlgItem(dialog, 0x47c);
    Seen seen{textOf(dialog), fileName ? "(save dialog)" : textOf(GetDlgItem(dialog, 0xFFFF)),
              GetWindow(dialog, GW_OWNER)};
    {
      // Recorded before it is answered: once answered, the program goes on
      // and the test may ask what was seen before this thread runs again.
      std::lock_guard<std::mutex> lock(mutex_);
      seen_.push_back(seen);
    }
    if (everyHook_) everyHook_(dialog);
    if (fileName) {
      if (hook_) hook_(dialog);
      if (savePath_.empty()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      } else {
        SendMessageW(fileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(savePath_).c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      }
    } else {
      PostMessageW(dialog, WM_COMMAND, GetDlgItem(dialog, IDYES) ? IDYES : IDOK, 0);
    }
  }

  std::string savePath_;
  SaveDialogHook hook_;
  DialogHook everyHook_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::vector<Seen> seen_;
  std::set<HWND> answered_;
};

// Handles incoming messages (and COM calls) for a while.
inline void pumpMessages(std::chrono::milliseconds duration) {
  const auto end = std::chrono::steady_clock::now() + duration;
  while (std::chrono::steady_clock::now() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

// Where the build's program is: beside this one, or one folder up (the
// tests live in a folder below the programs).
inline std::wstring programPath(const std::wstring& program) {
  wchar_t path[MAX_PATH * 2];
  GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  if (GetFileAttributesW((folder + program).c_str()) != INVALID_FILE_ATTRIBUTES)
    return folder + program;
  folder.pop_back();
  return folder.substr(0, folder.find_last_of(L"\\/") + 1) + program;
}

// A program of the build, ended when this object goes.
class ChildProcess {
 public:
  ChildProcess(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + programPath(program) + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Wine under load now and then fails a start it makes a moment later.
    for (int attempt = 0;; ++attempt) {
      if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &info_))
        break;
      const DWORD error = GetLastError();
      if (attempt == 4)
        throw std::runtime_error("cannot start " + narrow(program) + " (error " +
                                 std::to_string(error) + ")");
      Sleep(500);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() {
    kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  void kill() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 5000);
    }
  }
  DWORD processId() const { return info_.dwProcessId; }
  HANDLE process() const { return info_.hProcess; }
  // Its first visible top-level window, or null.
  HWND mainWindow() const {
    struct Search {
      DWORD process;
      HWND found;
    } search{info_.dwProcessId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner != s.process || !IsWindowVisible(window)) return TRUE;
          s.found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  // Waits for the program to end by itself; its exit code, or -1 on time-out.
  long waitForExit(DWORD milliseconds) {
    if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  PROCESS_INFORMATION info_{};
};

// What a program printed, and how it ended.
struct Captured {
  long exitCode = -1;
  std::string out, err;
};

// Runs a program of the build with its standard output and error in pipes,
// and waits for it to end.
inline Captured runCaptured(const std::wstring& program, const std::wstring& arguments,
                            DWORD milliseconds = 60000) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE outRead, outWrite, errRead, errWrite;
  CreatePipe(&outRead, &outWrite, &inherit, 0);
  CreatePipe(&errRead, &errWrite, &inherit, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
  std::wstring commandLine = L"\"" + programPath(program) + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  PROCESS_INFORMATION info{};
  Captured captured;
  const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &info);
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  auto drain = [](HANDLE pipe, std::string& into) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
      into.append(buffer, got);
  };
  if (started) {
    drain(outRead, captured.out);
    drain(errRead, captured.err);
    if (WaitForSingleObject(info.hProcess, milliseconds) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(info.hProcess, &code);
      captured.exitCode = static_cast<long>(code);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  CloseHandle(outRead);
  CloseHandle(errRead);
  return captured;
}

// Waits until progId's object is in the running object table.
inline bool waitForServer(const wchar_t* progId,
                          std::chrono::seconds limit = std::chrono::seconds(20)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    try {
      attachRunning(progId);
      return true;
    } catch (const base::Error&) {
      pumpMessages(std::chrono::milliseconds(50));
    }
  }
  return false;
}

inline std::wstring quoted(const std::string& utf8) {
  return L"\"" + widen(utf8) + L"\"";
}

}  // namespace varnel::win
