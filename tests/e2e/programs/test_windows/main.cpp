// test_windows.exe: creates top-level test windows as its command line asks and serves them
// until told to end, for end-to-end scenarios in another process.
//
//   test_windows.exe --handles FILE [--parent PID] [--end-event NAME] SPEC...
//
// SPEC is one window's text form (programs/window_spec.h). Once every window exists and shows,
// FILE appears (written aside, then renamed) with one line "ID 0xHWND" per window, or with one
// line "error REASON" when something failed (exit code 2). It ends (code 0) on WM_CLOSE to any
// of its answering windows, WM_QUIT to its main thread or the named event being signalled, and
// (code 3) when process PID ends: by default its parent; 0 watches none.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "programs/window_spec.h"
#include "test_window.h"

namespace {

using namespace tvmtw;

struct Request {
  std::string handlesFile;
  std::string endEvent;
  bool parentGiven = false;
  DWORD parent = 0;
  std::vector<WindowSpec> windows;
};

DWORD ParentProcessId() {
  DWORD parent = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == GetCurrentProcessId()) parent = entry.th32ParentProcessID;
  }
  CloseHandle(snapshot);
  return parent;
}

bool ParseCommandLine(int argc, char** argv, Request* request, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--handles" && hasValue) {
      request->handlesFile = argv[++i];
    } else if (arg == "--end-event" && hasValue) {
      request->endEvent = argv[++i];
    } else if (arg == "--parent" && hasValue) {
      request->parentGiven = true;
      request->parent = std::strtoul(argv[++i], nullptr, 0);
    } else if (auto spec = ParseWindowSpec(arg, error)) {
      for (const WindowSpec& earlier : request->windows) {
        if (earlier.id == spec->id) {
          *error = "window id " + spec->id + " given twice";
          return false;
        }
      }
      request->windows.push_back(*spec);
    } else {
      return false;
    }
  }
  if (request->handlesFile.empty()) *error = "--handles FILE is missing";
  return !request->handlesFile.empty();
}

bool WriteFileWhole(const std::string& path, const std::string& text) {
  const std::string aside = path + ".part";
  FILE* f = std::fopen(aside.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0 || !written) return false;
  return MoveFileExA(aside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

DWORD Fail(const Request& request, const std::string& reason) {
  if (!request.handlesFile.empty()) WriteFileWhole(request.handlesFile, "error " + reason + "\n");
  OutputDebugStringA(("test_windows: " + reason + "\n").c_str());
  return kExitBadRequest;
}

// Serves the windows of this thread until one of the endings.
DWORD Serve(HANDLE endEvent, HANDLE parent) {
  std::vector<HANDLE> waits;
  if (endEvent) waits.push_back(endEvent);
  if (parent) waits.push_back(parent);
  const DWORD count = static_cast<DWORD>(waits.size());
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(count, waits.data(), FALSE, INFINITE, QS_ALLINPUT);
    if (woken < WAIT_OBJECT_0 + count) return waits[woken - WAIT_OBJECT_0] == parent ? kExitParentGone : kExitEnded;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) return kExitEnded;
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
}

DWORD Run(int argc, char** argv) {
  Request request;
  std::string error;
  if (!ParseCommandLine(argc, argv, &request, &error)) return Fail(request, error);

  HANDLE parent = nullptr;
  const DWORD parentId = request.parentGiven ? request.parent : ParentProcessId();
  if (parentId) {
    parent = OpenProcess(SYNCHRONIZE, FALSE, parentId);
    // A parent asked for by name that cannot be watched has gone already; one merely found
    // may be a shell outside Wine's reach.
    if (!parent && request.parentGiven) return Fail(request, "parent " + std::to_string(parentId) + " not found");
  }
  HANDLE endEvent = nullptr;
  if (!request.endEvent.empty()) {
    endEvent = CreateEventA(nullptr, TRUE, FALSE, request.endEvent.c_str());
    if (!endEvent) return Fail(request, "CreateEvent(" + request.endEvent + ") failed");
  }

  std::string handles;
  HWND previous = nullptr;
  for (const WindowSpec& spec : request.windows) {
    if (!PrepareClass(spec.className, (spec.flags & kClassIcon) != 0, &error)) return Fail(request, error);
    HWND owner = (spec.flags & kOwned) ? previous : nullptr;
    if ((spec.flags & kOwned) && !owner) return Fail(request, spec.id + " is owned but comes first");
    HWND hwnd = (spec.flags & kHung) ? CreateHungTestWindow(spec, owner, &error) : CreateTestWindow(spec, owner, &error);
    if (!hwnd) return Fail(request, error);
    char line[64];
    std::snprintf(line, sizeof line, " 0x%08lx\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hwnd)));
    handles += spec.id + line;
    previous = hwnd;
  }
  if (!WriteFileWhole(request.handlesFile, handles)) return Fail(request, "cannot write " + request.handlesFile);
  return Serve(endEvent, parent);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Hung windows' threads never return: end the process, not just this thread.
  ExitProcess(Run(__argc, __argv));
}
