#pragma once
// The program's settings key as a scenario prepares and inspects it, through the registry of the
// Wine prefix the program runs in.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// A value as a scenario writes or expects it: an integer, or a text when `isText`.
struct SettingValue {
  std::string name;
  int32_t number = 0;
  std::string text;
  bool isText = false;
};
inline SettingValue Dword(std::string name, int32_t value) { return {std::move(name), value, {}, false}; }
inline SettingValue Text(std::string name, std::string value) { return {std::move(name), 0, std::move(value), true}; }

class SettingsKey {
 public:
  static void Delete();
  static void Write(const std::vector<SettingValue>& values);
  static void DeleteValue(const std::string& name);
  static bool Exists();
  static bool Has(const std::string& name);
  static std::optional<int32_t> Dword(const std::string& name);
  static std::optional<std::string> Text(const std::string& name);
};

// Controls of the control panel, found as another program finds them.
HWND FindControlByCaption(HWND panel, const std::string& windowClass, const std::string& caption);
// The panel's track bars, top first.
std::vector<HWND> TrackBarsOf(HWND panel);
std::vector<std::string> ListBoxItems(HWND listBox);
// The list box whose left edge is right of the other's: the non-scrolling classes.
HWND NonScrollingListBox(HWND panel);

}  // namespace e2e
