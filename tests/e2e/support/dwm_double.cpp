#include "support/dwm_double.h"

#include "win_support/process_helpers.h"

namespace e2e {
namespace {

constexpr const char* kOverrideKey = "Software\\Wine\\AppDefaults\\Tavelmoor.exe\\DllOverrides";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

DwmDoubleInstall::DwmDoubleInstall() {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  target_ = std::string(system) + "\\dwmapi.dll";
  backup_ = target_ + ".tvm-original";
  const std::string source = tvmtest::WindowsPathOf(TVM_E2E_PROGRAMS_DIR "/dwm_double/dwmapi.dll");
  // A backup left by an earlier run that did not finish is the original: keep it.
  if (Exists(target_) && !Exists(backup_)) {
    if (!MoveFileExA(target_.c_str(), backup_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      error_ = "cannot move " + target_ + " aside, error " + std::to_string(GetLastError());
      return;
    }
  }
  movedOriginal_ = Exists(backup_);
  if (!CopyFileA(source.c_str(), target_.c_str(), FALSE)) {
    error_ = "cannot copy " + source + ", error " + std::to_string(GetLastError());
    return;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kOverrideKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    error_ = "cannot create the DLL override key";
    return;
  }
  const char value[] = "native";
  overrideSet_ = RegSetValueExA(key, "dwmapi", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value) ==
                 ERROR_SUCCESS;
  RegCloseKey(key);
  if (!overrideSet_) {
    error_ = "cannot set the DLL override";
    return;
  }
  installed_ = true;
}

DwmDoubleInstall::~DwmDoubleInstall() {
  if (overrideSet_) {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kOverrideKey, "dwmapi");
    RegDeleteKeyA(HKEY_CURRENT_USER, kOverrideKey);
  }
  if (movedOriginal_) {
    MoveFileExA(backup_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING);
  } else {
    DeleteFileA(target_.c_str());
  }
}

}  // namespace e2e
