#pragma once
// The control panel's options, window classes and remembered sizes as registry values: what a load
// found (to be applied to the controls in the order read) and the complete set a save writes.
#include <cstddef>
#include <cstdint>
#include <array>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.h"
#include "core/settings_changes.h"
#include "navigator/scroll_room.h"
#include "scroller/option_table.h"
#include "scroller/settings_store.h"

namespace scroller {

// A stored count above this is corrupt: reading stops at the cap, and a save writes no more.
inline constexpr int32_t kMaxNumberedValues = 1000;
// A numbered value's name: base and index in decimal ("RemC3").
inline std::string NumberedName(const char* base, std::size_t index) { return base + std::to_string(index); }

struct RememberedSize {
  std::string windowClass;
  core::PackedSize size = core::kNoForcedSize;
  friend bool operator==(const RememberedSize&, const RememberedSize&) = default;
};

// What LoadSettings found. Reading the options stops at the first integer that is missing or
// mistyped (or a text of another type); every option after it stays empty and keeps its form
// default. The numbered lists are read all the same, so that the complete save that follows
// keeps the user's classes and sizes. Apply the present states to their controls in the read
// order (kReadOrder).
struct StoredSettings {
  // By row of kOptionTable: the state a read value gives its control or kept value (a track
  // bar's position as stored, which the bar clamps; 1 or 0 for checked), empty when not read.
  std::array<std::optional<int32_t>, kOptionCount> states{};

  // "Background" exactly as stored (empty when missing or not reached).
  std::string backgroundSetting;
  // The picture path: "default" resolved to the wallpaper, "none" and missing files made empty.
  // When the reading stopped before the path was resolved it holds the stored text unchanged.
  std::string backgroundFile;
  // Present once the path was resolved: whether a picture is to be shown.
  std::optional<bool> useBackground;

  std::vector<std::string> excludedClasses;     // to append, in order, to the non-scrolling list
  std::vector<RememberedSize> rememberedSizes;  // complete pairs only

  std::string loaderFileName;  // ident::LoaderFile when the machine key opens, else empty

  // The load itself asks for a complete save: the key was missing, the reading stopped early,
  // or a corrupt value was dropped or corrected.
  bool settingsChanged = false;

  // The state read for the row of that name.
  std::optional<int32_t> State(std::string_view name) const;
  // A check box's or a flag's state as checked or not.
  std::optional<bool> Checked(std::string_view name) const;

  // A positive limit fixes the scroll room to 0..LimitX by 0..LimitY.
  bool fixesScrollRoom() const {
    return navigator::DesktopLimits{State("LimitX").value_or(0), State("LimitY").value_or(0)}.FixesScrollRoom();
  }
};

// The keys a load reads besides the program's own.
struct LoadSources {
  SettingsStore& settings;  // HKEY_CURRENT_USER \Software\Tavelmoor
  SettingsStore& desktop;   // HKEY_CURRENT_USER \Control Panel\Desktop, for "Wallpaper"
  SettingsStore& machine;   // HKEY_LOCAL_MACHINE \Software\Tavelmoor, only opened
  std::function<bool(const std::string& path)> fileExists;
};

// Reads everything once. A settings key that cannot be opened is created empty; one that can be
// neither opened nor created is treated as missing. Never throws for missing or mistyped values.
StoredSettings LoadSettings(const LoadSources& sources);

// The complete set a save writes, from the option fields (not the controls). Its defaults are the
// form description's states, from the option table.
struct SettingsToSave {
  OptionFields options = DefaultOptionFields();
  KeptValues kept = DefaultKeptValues();
  std::string background;
  std::vector<std::string> excludedClasses;
  std::vector<RememberedSize> rememberedSizes;
};

enum class SaveOutcome {
  NothingToSave,   // no change pending: no key was opened
  Saved,           // everything written; the changes are saved
  KeyUnavailable,  // the key could be neither opened nor created; the changes stay pending
  WriteFailed,     // a write failed; the values after it were not written; the changes stay pending
};

// Writes the complete set while changes are pending, and marks them saved only when all of it was
// written, so that a failed save is retried at the next one. "PosNum" is written (as 0) only when absent.
SaveOutcome SaveSettings(SettingsStore& store, const SettingsToSave& values, core::SettingsChanges& changes);

// Which failed saves the user is told of. A save that fails at a hide is retried at the next one,
// and a panel shown and hidden again and again must not raise a box each time: only the first
// failure after a good save is told. The final save at exit, after which nothing retries, is
// always told when it fails.
class SaveFailureNotice {
 public:
  // The message to show after a save with this outcome, or nothing.
  std::optional<std::string> After(SaveOutcome outcome, bool finalSave);

 private:
  bool told_ = false;
};

// Printers for test failures.
void PrintTo(const RememberedSize& value, std::ostream* os);
void PrintTo(SaveOutcome value, std::ostream* os);
void PrintTo(ReadStatus value, std::ostream* os);
void PrintTo(KeyOpening value, std::ostream* os);

}  // namespace scroller
