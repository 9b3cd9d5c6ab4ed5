#include "support/test_windows.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "programs/test_windows/commands.h"

namespace e2e {
namespace {

std::string UniqueName(const char* what) {
  static std::atomic<unsigned> counter{0};
  return std::string("tvm-") + what + "-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++counter);
}

std::string TempFile(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + name;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

std::string TestWindowsProgram() { return tvmtest::WindowsPathOf(TVM_E2E_PROGRAMS_DIR "/test_windows.exe"); }

bool TestWindows::Start(const std::vector<WindowSpec>& windows, DWORD parent, std::chrono::milliseconds timeout) {
  End();
  error_.clear();
  const std::string eventName = UniqueName("test-windows-end");
  const std::string handlesFile = TempFile(UniqueName("test-windows") + ".txt");
  endEvent_ = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
  // Process ids come round again: a file left by an earlier process of this id, ended before it
  // could take it, must not be read as this start's answer.
  DeleteFileA(handlesFile.c_str());
  std::string arguments =
      "--parent " + std::to_string(parent) + " --end-event " + eventName + " --handles \"" + handlesFile + "\"";
  for (const WindowSpec& w : windows) arguments += " " + tvmtw::EncodeWindowSpec(w);
  if (!process_.Start(TestWindowsProgram(), arguments)) {
    error_ = "cannot start " + TestWindowsProgram() + ", error " + std::to_string(process_.LastError());
    return false;
  }
  if (!tvmtest::WaitUntil([&] { return Exists(handlesFile) || !process_.Running(); }, timeout) ||
      !Exists(handlesFile)) {
    error_ = process_.Running() ? "no windows in time" : "test_windows.exe ended without its windows";
    process_.Terminate();
    return false;
  }
  // Under load Wine has now and then not let the file be read at the moment it appeared: read it
  // again for a moment before giving up.
  int lines = 0;
  bool opened = false;
  tvmtest::WaitUntil(
      [&] {
        windows_.clear();
        lines = 0;
        std::ifstream in(handlesFile);
        opened = in.is_open();
        std::string id, value;
        while (in >> id && std::getline(in, value)) {
          ++lines;
          if (id == "error") {
            error_ = "test_windows.exe: " + value;
            return true;
          }
          windows_[id] = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(value.c_str(), nullptr, 0)));
        }
        return windows_.size() == windows.size();
      },
      std::chrono::seconds(2), std::chrono::milliseconds(50));
  DeleteFileA(handlesFile.c_str());
  if (error_.empty() && windows_.size() != windows.size()) {
    error_ = "handles missing from " + handlesFile + (opened ? "" : " (it could not be opened)") + ": " +
             std::to_string(lines) + " lines for " + std::to_string(windows.size()) + " windows";
  }
  if (!error_.empty()) {
    End();
    return false;
  }
  return true;
}

HWND TestWindows::Window(const std::string& id) const {
  auto found = windows_.find(id);
  return found == windows_.end() ? nullptr : found->second;
}

RECT TestWindows::RectOf(const std::string& id) const {
  RECT r{};
  GetWindowRect(Window(id), &r);
  return r;
}

HWND TestWindows::Create(const std::string& on, RECT at, bool ownThread) const {
  DWORD_PTR made = 0;
  const UINT command = ownThread ? tvmtw::kCommandCreateOwnThread : tvmtw::kCommandCreate;
  const WPARAM place = MAKEWPARAM(static_cast<WORD>(at.left), static_cast<WORD>(at.top));
  const LPARAM size = MAKELPARAM(at.right - at.left, at.bottom - at.top);
  if (!SendMessageTimeoutA(Window(on), command, place, size, SMTO_ABORTIFHUNG, 5000, &made)) return nullptr;
  return reinterpret_cast<HWND>(made);
}

void TestWindows::Destroy(HWND window) { PostMessageA(window, tvmtw::kCommandDestroy, 0, 0); }

void TestWindows::SleepThread(HWND window, DWORD ms, tvmtw::SleepThen then) {
  PostMessageA(window, tvmtw::kCommandSleep, ms, then);
}

bool TestWindows::SetMoveAnswer(HWND window, tvmtw::MoveAnswer answer, int heldX) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, tvmtw::kCommandMoveAnswer, answer, heldX, SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
}

bool TestWindows::MoveItself(HWND window, int dx, int dy) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, tvmtw::kCommandMoveItself, static_cast<WPARAM>(static_cast<INT_PTR>(dx)), dy,
                             SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
}

bool TestWindows::SetMoveDelay(HWND window, DWORD ms) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, tvmtw::kCommandMoveDelay, ms, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
}

bool TestWindows::Show(HWND window, int how) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, tvmtw::kCommandShow, static_cast<WPARAM>(how), 0, SMTO_ABORTIFHUNG, 5000,
                             &ignored) != 0;
}

std::optional<long> TestWindows::SizeRequests(HWND window) {
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutA(window, tvmtw::kCommandSizeRequests, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) {
    return std::nullopt;
  }
  return static_cast<long>(count);
}

std::optional<DWORD> TestWindows::End(std::chrono::milliseconds timeout) {
  std::optional<DWORD> code;
  if (process_.Started()) {
    if (endEvent_) SetEvent(endEvent_);
    code = process_.WaitForExit(timeout);
    process_.Reset();
  }
  if (endEvent_) CloseHandle(endEvent_);
  endEvent_ = nullptr;
  windows_.clear();
  return code;
}

}  // namespace e2e
