#include "support/tavelmoor_process.h"

#include <tlhelp32.h>

#include <cstring>

#include "core/private_messages.h"
#include "toolkit/tray_icon.h"

namespace e2e {
namespace {

struct Search {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search->pid && IsWindowVisible(hwnd)) search->found.push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK AppendChildText(HWND child, LPARAM data) {
  char text[1024] = {};
  GetWindowTextA(child, text, sizeof text);
  auto* out = reinterpret_cast<std::string*>(data);
  if (*text) out->append(text).append("\n");
  return TRUE;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

}  // namespace

HWND FindControlPanel() { return FindWindowExA(nullptr, nullptr, "TTavelmoorForm", "Tavelmoor ControlPanel"); }

HWND FindApplicationWindow(DWORD pid) {
  return tvmtest::FindProcessWindow(pid, "TTavelmoorForm", "Tavelmoor Wanderpane");
}

std::vector<HWND> VisibleWindowsOf(DWORD pid) {
  Search search{pid, {}};
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string DialogText(HWND dialog) {
  char title[256] = {};
  GetWindowTextA(dialog, title, sizeof title);
  std::string out = std::string(title) + "\n";
  EnumChildWindows(dialog, AppendChildText, reinterpret_cast<LPARAM>(&out));
  return out;
}

HWND FindDialogWithText(DWORD pid, const std::string& text) {
  for (HWND w : VisibleWindowsOf(pid)) {
    if (ClassOf(w) == "#32770" && DialogText(w).find(text) != std::string::npos) return w;
  }
  return nullptr;
}

void PressDialogButton(HWND dialog, int id) {
  if (HWND button = GetDlgItem(dialog, id)) {
    PostMessageA(button, BM_CLICK, 0, 0);
  } else {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
}

void PostTrayClick(HWND application) {
  constexpr UINT kIconId = 1;  // the program's only icon
  PostMessageA(application, tk::TTrayIcon::CallbackMessage, kIconId, WM_LBUTTONUP);
}

void EndAllInstances() {
  if (HWND panel = FindControlPanel()) {
    PostMessageA(panel, msg::WM_INSTANCE_EXIT, 0, 0);
    tvmtest::WaitUntil([] { return FindControlPanel() == nullptr; }, 5s);
  }
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (_stricmp(entry.szExeFile, "Tavelmoor.exe") != 0) continue;
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(p, 99);
      WaitForSingleObject(p, 5000);
      CloseHandle(p);
    }
  }
  CloseHandle(snapshot);
}

bool Tavelmoor::Start(const std::string& parameters, const std::string& folder) {
  const std::string exe = folder.empty() ? tvmtest::BinFile("Tavelmoor.exe") : folder + "\\Tavelmoor.exe";
  return process_.Start(exe, parameters);
}

HWND Tavelmoor::WaitForPanel(std::chrono::milliseconds timeout) {
  HWND panel = nullptr;
  tvmtest::WaitUntil(
      [&] {
        panel = tvmtest::FindProcessWindow(Id(), "TTavelmoorForm", "Tavelmoor ControlPanel");
        return panel != nullptr;
      },
      timeout);
  return panel;
}

HWND Tavelmoor::StartSettled(std::chrono::milliseconds settle) {
  if (!Start()) return nullptr;
  HWND panel = WaitForPanel();
  if (!panel) return nullptr;
  bool wasShown = false;
  tvmtest::WaitUntil([&] { return wasShown = wasShown || IsWindowVisible(panel); }, 5s, 1ms);
  if (!tvmtest::WaitUntil([&] { return !IsWindowVisible(panel); }, 5s)) return nullptr;
  Sleep(static_cast<DWORD>(settle.count()));
  return panel;
}

}  // namespace e2e
