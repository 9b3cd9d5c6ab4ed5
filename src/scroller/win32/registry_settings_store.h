#pragma once
// The settings store over one registry key, through the ANSI registry API.
#include <windows.h>

#include <string>
#include <string_view>

#include "scroller/settings_store.h"

namespace scroller {

// Key paths below their root (a leading backslash is accepted and ignored).
inline constexpr char kSettingsKeyPath[] = "Software\\Tavelmoor";  // HKCU; read-only under HKLM
inline constexpr char kDesktopKeyPath[] = "Control Panel\\Desktop";  // HKCU, for "Wallpaper"

class RegistrySettingsStore final : public SettingsStore {
 public:
  // A text value larger than this is treated as mistyped rather than read.
  static constexpr DWORD kMaxTextBytes = 32 * 1024;

  RegistrySettingsStore(HKEY root, std::string_view path);
  ~RegistrySettingsStore() override;
  RegistrySettingsStore(const RegistrySettingsStore&) = delete;
  RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

  KeyOpening OpenForReading() override;
  KeyOpening OpenOrCreate() override;
  void Close();

  bool HasValue(std::string_view name) const override;
  ReadResult<int32_t> ReadInteger(std::string_view name) const override;
  ReadResult<std::string> ReadText(std::string_view name) const override;
  bool WriteInteger(std::string_view name, int32_t value) override;
  bool WriteText(std::string_view name, std::string_view value) override;

 private:
  HKEY root_;
  std::string path_;
  HKEY key_ = nullptr;
  bool writable_ = false;
};

}  // namespace scroller
