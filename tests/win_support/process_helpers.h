#pragma once
// Helpers for Windows-side tests (run under Wine) that deal with files of the output folder and
// with other processes: the output folder as a Windows path, waiting for a condition with a bound,
// finding a process's top-level window, and a guard that never leaves a started process behind.
// Header-only; usable from the i686 and the x86_64 test programs alike.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tvmtest {

using namespace std::chrono_literals;

// A Unix path ("/work/main/build/bin") as Wine's Windows path on drive Z: ("Z:\work\main\build\bin").
// A path that does not start with '/' is taken to be a Windows path already and only gets
// backslashes.
inline std::string WindowsPathOf(std::string_view path) {
  std::string out = (!path.empty() && path.front() == '/') ? "Z:" : "";
  out.reserve(out.size() + path.size());
  for (char c : path) out.push_back(c == '/' ? '\\' : c);
  return out;
}

#ifdef TVM_BIN_DIR
// The shared output folder that holds Tavelmoor.exe, Tavelmoor.dll, TVM64.dll and tvm64.exe.
inline std::string BinDir() { return WindowsPathOf(TVM_BIN_DIR); }

// The full Windows path of a file in the output folder.
inline std::string BinFile(std::string_view name) {
  std::string dir = BinDir();
  if (!dir.empty() && dir.back() != '\\') dir.push_back('\\');
  return dir.append(name);
}
#endif

// Handles whatever is queued for this thread, including messages that other processes send to
// its windows, without waiting.
inline void PumpMessages() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

// Waits, pumping this thread's messages, until pred() holds or the time-out has passed; the result
// is pred()'s last answer, so a condition met at the last moment still counts.
template <class Pred>
bool WaitUntil(Pred&& pred, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll = 10ms) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (pred()) return true;
    auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return pred();
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
    auto wait = left < poll ? left : poll;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(wait.count()), QS_ALLINPUT);
    PumpMessages();
  }
}

// A window's outer size.
inline SIZE SizeOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// A user touches the window, minimizing and restoring it: an event of its thread on which a CBT
// hook sees it.
inline void TouchAsAUser(HWND w) {
  ShowWindow(w, SW_MINIMIZE);
  ShowWindow(w, SW_RESTORE);
}

// The top-level window of the given class and title (matched without regard to case, as
// FindWindowExA does) that belongs to process pid; null when there is none.
inline HWND FindProcessWindow(DWORD pid, const char* windowClass, const char* title) {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, windowClass, title)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid) return w;
  }
  return nullptr;
}

// Owns a started process: the destructor ends it (TerminateProcess) if it still runs, so a failing
// test leaves no process behind, and closes its handles.
class ProcessGuard {
 public:
  ProcessGuard() = default;
  ProcessGuard(const ProcessGuard&) = delete;
  ProcessGuard& operator=(const ProcessGuard&) = delete;
  ProcessGuard(ProcessGuard&& other) noexcept : info_(std::exchange(other.info_, {})) {}
  ProcessGuard& operator=(ProcessGuard&& other) noexcept {
    if (this != &other) {
      Reset();
      info_ = std::exchange(other.info_, {});
    }
    return *this;
  }
  ~ProcessGuard() { Reset(); }

  // Starts the program at its full Windows path with the given arguments, its window shown with
  // `show` (hidden by default), in `directory` (null: this process's current directory). A
  // process this guard still holds is ended first. False when it could not be started; then
  // LastError() tells why.
  bool Start(const std::string& program, const std::string& arguments = {},
             const char* directory = nullptr, WORD show = SW_HIDE) {
    Reset();
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    // Under load Wine now and then fails a start with ERROR_INTERNAL_ERROR that the next attempt
    // does not meet; any other failure is the answer.
    constexpr DWORD kInternalError = 1359;
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory,
                         &startup, &info_)) {
        lastError_ = 0;
        return true;
      }
      lastError_ = GetLastError();
      info_ = {};
      if (lastError_ != kInternalError) break;
      Sleep(200);
    }
    return false;
  }

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }
  DWORD LastError() const { return lastError_; }

  bool Running() const {
    return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
  }

  // Waits, pumping this thread's messages, until the process has ended or the time-out has passed;
  // its exit code when it ended, nothing otherwise (or when no process was started).
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) {
    if (!Started()) return std::nullopt;
    if (!WaitUntil([this] { return !Running(); }, timeout)) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(info_.hProcess, &code)) return std::nullopt;
    return code;
  }

  // Ends the process if it still runs and waits (bounded) until it has gone.
  void Terminate(UINT exitCode = 99) {
    if (!Running()) return;
    TerminateProcess(info_.hProcess, exitCode);
    WaitForSingleObject(info_.hProcess, 5000);
  }

  // Ends the process if it still runs and lets go of it.
  void Reset() {
    Terminate();
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
    info_ = {};
  }

 private:
  PROCESS_INFORMATION info_{};
  DWORD lastError_ = 0;
};

}  // namespace tvmtest
