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

// What a first start writes at its first hide, every value written out by hand: the oracle the
// program's own option table is held against, so it must never be derived from that table.
std::vector<SettingValue> FirstStartSet();
// `values` with each of `changes` in place of the value of its name; a name not there yet goes
// first, before the lists, which are read after every option.
std::vector<SettingValue> WithValues(std::vector<SettingValue> values, const std::vector<SettingValue>& changes);

class SettingsKey {
 public:
  // Removes the key, also one that MakeReadOnly left.
  static void Delete();
  static void Write(const std::vector<SettingValue>& values);
  static void DeleteValue(const std::string& name);
  static bool Exists();
  static bool Has(const std::string& name);
  static std::optional<int32_t> Dword(const std::string& name);
  static std::optional<std::string> Text(const std::string& name);
  // Lets everyone read the key (and delete it) but no one write or open it for writing, so that
  // every save of the program fails.
  static bool MakeReadOnly();
};

// For a fixture: no instance of the program runs and no settings key exists, both when this is
// made and when it goes.
class CleanSettings {
 public:
  CleanSettings();
  ~CleanSettings();
  CleanSettings(const CleanSettings&) = delete;
  CleanSettings& operator=(const CleanSettings&) = delete;
};

// Controls of the control panel, found as another program finds them.
HWND FindControlByCaption(HWND panel, const std::string& windowClass, const std::string& caption);
// The panel's track bars, top first.
std::vector<HWND> TrackBarsOf(HWND panel);
std::vector<std::string> ListBoxItems(HWND listBox);
// The list box whose left edge is right of the other's: the non-scrolling classes.
HWND NonScrollingListBox(HWND panel);

}  // namespace e2e
