#include "support/settings_key.h"

#include <commctrl.h>

#include <algorithm>

namespace e2e {
namespace {

constexpr const char* kPath = "Software\\Tavelmoor";

struct OpenKey {
  HKEY key = nullptr;
  explicit OpenKey(REGSAM access) { RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, access, &key); }
  ~OpenKey() {
    if (key) RegCloseKey(key);
  }
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

std::string ClassOf(HWND wnd) {
  char name[64] = {};
  GetClassNameA(wnd, name, sizeof name);
  return name;
}

std::vector<HWND> ChildrenOfClass(HWND panel, const char* windowClass) {
  std::vector<HWND> out;
  for (HWND child : Children(panel)) {
    if (_stricmp(ClassOf(child).c_str(), windowClass) == 0) out.push_back(child);
  }
  return out;
}

int ScreenLeft(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r.left;
}

}  // namespace

void SettingsKey::Delete() { RegDeleteKeyA(HKEY_CURRENT_USER, kPath); }

void SettingsKey::Write(const std::vector<SettingValue>& values) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  for (const auto& v : values) {
    if (v.isText) {
      RegSetValueExA(key, v.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(v.text.c_str()),
                     static_cast<DWORD>(v.text.size() + 1));
    } else {
      const DWORD number = static_cast<DWORD>(v.number);
      RegSetValueExA(key, v.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
  }
  RegCloseKey(key);
}

void SettingsKey::DeleteValue(const std::string& name) {
  OpenKey k(KEY_SET_VALUE);
  if (k.key) RegDeleteValueA(k.key, name.c_str());
}

bool SettingsKey::Exists() { return OpenKey(KEY_READ).key != nullptr; }

bool SettingsKey::Has(const std::string& name) {
  OpenKey k(KEY_READ);
  return k.key && RegQueryValueExA(k.key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<int32_t> SettingsKey::Dword(const std::string& name) {
  OpenKey k(KEY_READ);
  DWORD type = 0, value = 0, size = sizeof value;
  if (!k.key || RegQueryValueExA(k.key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                    ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return static_cast<int32_t>(value);
}

std::optional<std::string> SettingsKey::Text(const std::string& name) {
  OpenKey k(KEY_READ);
  char buffer[1024] = {};
  DWORD type = 0, size = sizeof buffer - 1;
  if (!k.key || RegQueryValueExA(k.key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
                    ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  return std::string(buffer);
}

HWND FindControlByCaption(HWND panel, const std::string& windowClass, const std::string& caption) {
  for (HWND child : ChildrenOfClass(panel, windowClass.c_str())) {
    char text[256] = {};
    GetWindowTextA(child, text, sizeof text);
    if (caption == text) return child;
  }
  return nullptr;
}

std::vector<HWND> TrackBarsOf(HWND panel) {
  auto bars = ChildrenOfClass(panel, TRACKBAR_CLASSA);
  std::sort(bars.begin(), bars.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top < rb.top;
  });
  return bars;
}

std::vector<std::string> ListBoxItems(HWND listBox) {
  std::vector<std::string> out;
  // Across processes Wine hands list box texts over as Unicode whatever the caller asked.
  const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    if (SendMessageW(listBox, LB_GETTEXTLEN, i, 0) < 512) {
      SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    }
    char narrow[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    out.push_back(narrow);
  }
  return out;
}

HWND NonScrollingListBox(HWND panel) {
  auto boxes = ChildrenOfClass(panel, "ListBox");
  if (boxes.size() != 2) return nullptr;
  return ScreenLeft(boxes[0]) > ScreenLeft(boxes[1]) ? boxes[0] : boxes[1];
}

}  // namespace e2e
