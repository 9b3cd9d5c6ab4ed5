#include "scroller/win32/registry_settings_store.h"

#include <cstring>
#include <vector>

namespace scroller {

RegistrySettingsStore::RegistrySettingsStore(HKEY root, std::string_view path) : root_(root) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  path_ = path;
}

RegistrySettingsStore::~RegistrySettingsStore() { Close(); }

void RegistrySettingsStore::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
  writable_ = false;
}

KeyOpening RegistrySettingsStore::OpenForReading() {
  Close();
  if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) {
    key_ = nullptr;
    return KeyOpening::Unavailable;
  }
  return KeyOpening::Opened;
}

KeyOpening RegistrySettingsStore::OpenOrCreate() {
  Close();
  DWORD disposition = 0;
  if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                      &key_, &disposition) != ERROR_SUCCESS) {
    key_ = nullptr;
    return KeyOpening::Unavailable;
  }
  writable_ = true;
  return disposition == REG_CREATED_NEW_KEY ? KeyOpening::Created : KeyOpening::Opened;
}

bool RegistrySettingsStore::HasValue(std::string_view name) const {
  if (!key_) return false;
  const std::string n(name);
  return RegQueryValueExA(key_, n.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

ReadResult<int32_t> RegistrySettingsStore::ReadInteger(std::string_view name) const {
  if (!key_) return {};
  const std::string n(name);
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof data;
  const LONG rc = RegQueryValueExA(key_, n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  if (rc == ERROR_FILE_NOT_FOUND) return {};
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return {ReadStatus::WrongType, 0};
  return {ReadStatus::Ok, static_cast<int32_t>(data)};
}

namespace {

// An expandable text is read as it is stored, unexpanded, like a plain one.
bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

ReadResult<std::string> RegistrySettingsStore::ReadText(std::string_view name) const {
  if (!key_) return {};
  const std::string n(name);
  // The value may change between asking its size and reading it; a few tries settle that.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key_, n.c_str(), nullptr, &type, nullptr, &size);
    if (rc == ERROR_FILE_NOT_FOUND) return {};
    if (rc != ERROR_SUCCESS || !IsText(type) || size > kMaxTextBytes) return {ReadStatus::WrongType, {}};
    std::vector<char> buffer(size + 1, '\0');  // room for a terminator the stored data may lack
    DWORD got = size;
    rc = RegQueryValueExA(key_, n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc == ERROR_FILE_NOT_FOUND) return {};
    if (rc != ERROR_SUCCESS || !IsText(type) || got > size) return {ReadStatus::WrongType, {}};
    return {ReadStatus::Ok, std::string(buffer.data(), strnlen(buffer.data(), got))};
  }
  return {ReadStatus::WrongType, {}};
}

bool RegistrySettingsStore::WriteInteger(std::string_view name, int32_t value) {
  if (!key_ || !writable_) return false;
  const std::string n(name);
  const DWORD data = static_cast<DWORD>(value);
  return RegSetValueExA(key_, n.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
         ERROR_SUCCESS;
}

bool RegistrySettingsStore::WriteText(std::string_view name, std::string_view value) {
  if (!key_ || !writable_) return false;
  const std::string n(name);
  const std::string text(value.substr(0, value.find('\0')));
  if (text.size() + 1 > kMaxTextBytes) return false;  // it could not be read back
  return RegSetValueExA(key_, n.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace scroller
