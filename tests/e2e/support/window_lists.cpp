#include "support/window_lists.h"

#include <shellapi.h>

#include <cstdlib>

#include "win_support/process_helpers.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

BOOL CALLBACK CollectListBoxes(HWND child, LPARAM data) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "ListBox") == 0) reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
  return TRUE;
}

LONG Left(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r.left;
}

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

}  // namespace

HWND ScrollingListBox(HWND panel) {
  std::vector<HWND> boxes;
  EnumChildWindows(panel, CollectListBoxes, reinterpret_cast<LPARAM>(&boxes));
  if (boxes.size() != 2) return nullptr;
  return Left(boxes[0]) < Left(boxes[1]) ? boxes[0] : boxes[1];
}

std::string RowText(const std::string& windowClass, const std::string& title) {
  return windowClass + " (" + title + ")";
}

std::string WineTrayClass() {
  HWND tray = FindWindowA(nullptr, "Wine System Tray");
  if (!tray) {
    // The tray window appears with the first icon: add one for a moment.
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TvmTrayProbe";
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    icon.uID = 1;
    icon.uFlags = NIF_ICON;
    icon.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    Shell_NotifyIconA(NIM_ADD, &icon);
    tvmtest::WaitUntil([&] { return (tray = FindWindowA(nullptr, "Wine System Tray")) != nullptr; }, 3s);
    Shell_NotifyIconA(NIM_DELETE, &icon);
    DestroyWindow(owner);
  }
  if (!tray) return {};
  char name[128] = {};
  GetClassNameA(tray, name, sizeof name);
  return name;
}

std::vector<SettingValue> SettingsWith(const std::vector<std::string>& excludedClasses,
                                       const std::vector<std::pair<std::string, int32_t>>& remembered) {
  // The first start's options with auto scrolling and the key chords off, then the lists.
  std::vector<SettingValue> v = WithValues(FirstStartSet(), {Dword("AutoScroll", 0), Dword("UseShift", 0)});
  std::erase_if(v, [](const SettingValue& s) { return s.name == "ExcludeNum" || s.name == "RememberNum"; });
  v.push_back(Dword("ExcludeNum", static_cast<int32_t>(excludedClasses.size())));
  for (size_t i = 0; i < excludedClasses.size(); ++i) v.push_back(Text("Exclude" + std::to_string(i), excludedClasses[i]));
  v.push_back(Dword("RememberNum", static_cast<int32_t>(remembered.size())));
  for (size_t i = 0; i < remembered.size(); ++i) {
    v.push_back(Text("RemC" + std::to_string(i), remembered[i].first));
    v.push_back(Dword("RemS" + std::to_string(i), remembered[i].second));
  }
  return v;
}

bool Win10Mode() {
  const char* mode = std::getenv("TVM_WINE_MODE");
  return mode && std::string(mode) == "win10";
}

}  // namespace e2e
