#include "support/settings_key.h"

#include <aclapi.h>
#include <commctrl.h>

#include <algorithm>

#include "support/tavelmoor_process.h"

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

std::vector<SettingValue> FirstStartSet() {
  return {
      Dword("PosNum", 0),     Dword("RefreshRate", 60), Dword("ScrollSpeed", 6), Dword("Reverse", 1),
      Dword("SuperMode", 0),  Dword("KeyMode", 0),      Dword("AltKey", 0),      Dword("MenuMode", 0),
      Dword("DoLimit", 0),    Dword("ShowGlyphs", 0),   Dword("AutoArrange", 0), Dword("BorderScroll", 0),
      Dword("SysScroll", 1),  Dword("SmallScreen", 0),  Dword("AutoScroll", 1),  Dword("AutoCenter", 0),
      Dword("UseShift", 1),   Dword("RepaintMode", 0),  Dword("x64", 0),         Dword("DoXMove", 1),
      Dword("DoYMove", 0),    Dword("LimitX", 0),       Dword("LimitY", 0),      Text("Background", ""),
      Dword("StickyMode", 8), Dword("ExcludeNum", 0),   Dword("RememberNum", 0),
  };
}

std::vector<SettingValue> WithValues(std::vector<SettingValue> values, const std::vector<SettingValue>& changes) {
  for (const SettingValue& c : changes) {
    auto same = std::find_if(values.begin(), values.end(), [&](const SettingValue& v) { return v.name == c.name; });
    if (same != values.end()) {
      *same = c;
    } else {
      values.insert(values.begin(), c);
    }
  }
  return values;
}

void SettingsKey::Delete() {
  // A key made read-only may still be deleted; its values go with it.
  RegDeleteKeyA(HKEY_CURRENT_USER, kPath);
}

bool SettingsKey::MakeReadOnly() {
  OpenKey k(KEY_READ | WRITE_DAC);
  if (!k.key) return false;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) return false;
  alignas(DWORD) BYTE aclBuffer[256];
  auto* acl = reinterpret_cast<ACL*>(aclBuffer);
  SECURITY_DESCRIPTOR sd;
  const bool ok = InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
                  AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | DELETE, everyone) &&
                  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) &&
                  SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE) &&
                  RegSetKeySecurity(k.key, DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
  FreeSid(everyone);
  return ok;
}

CleanSettings::CleanSettings() {
  EndAllInstances();
  SettingsKey::Delete();
}

CleanSettings::~CleanSettings() {
  EndAllInstances();
  SettingsKey::Delete();
}

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
