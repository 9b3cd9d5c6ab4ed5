#pragma once
// The control panel's options, window classes and remembered sizes as registry values: what a load
// found (to be applied to the controls in the order read) and the complete set a save writes.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "scroller/settings_store.h"

namespace scroller {

// A stored count above this is corrupt: reading stops at the cap, and a save writes no more.
inline constexpr int32_t kMaxNumberedValues = 1000;
// A remembered width or height outside this range is corrupt and the pair is dropped.
inline constexpr uint32_t kMinRememberedExtent = 64;
inline constexpr uint32_t kMaxRememberedExtent = 32000;

// The file the 64-bit loader is started from, known only when the machine key opens.
inline constexpr const char* kLoaderFileName = "tvm64.exe";

struct RememberedSize {
  std::string windowClass;
  core::PackedSize size = core::kNoForcedSize;
  friend bool operator==(const RememberedSize&, const RememberedSize&) = default;
};

// What LoadSettings found. Reading stops at the first integer that is missing or mistyped (or a text
// of another type); every option after it stays empty and keeps its form default. Apply the
// present ones to their controls in member order, which is the order they were read.
struct StoredSettings {
  std::optional<int32_t> refreshRate;  // positions as stored: the track bars clamp them
  std::optional<int32_t> scrollSpeed;
  std::optional<bool> superMode;
  std::optional<bool> doXMove;
  std::optional<bool> doYMove;
  std::optional<bool> reversed;
  std::optional<bool> useKeys;
  std::optional<bool> menuMode;
  std::optional<bool> doLimit;
  std::optional<bool> showGlyphs;
  std::optional<bool> autoArrange;
  std::optional<bool> borderScroll;
  std::optional<bool> smallScreen;
  std::optional<bool> autoScroll;
  std::optional<bool> autoCenter;
  std::optional<bool> useShift;
  std::optional<int32_t> stickyMode;
  std::optional<int32_t> limitX;  // never negative: a negative stored limit reads as none (0)
  std::optional<int32_t> limitY;
  std::optional<bool> load64AtShow;

  // "Background" exactly as stored (empty when missing or not reached).
  std::string backgroundSetting;
  // The picture path: "default" resolved to the wallpaper, "none" and missing files made empty.
  // When the reading stopped before the path was resolved it holds the stored text unchanged.
  std::string backgroundFile;
  // Present once the path was resolved: whether a picture is to be shown.
  std::optional<bool> useBackground;

  std::vector<std::string> excludedClasses;     // to append, in order, to the non-scrolling list
  std::vector<RememberedSize> rememberedSizes;  // complete pairs only

  std::string loaderFileName;  // kLoaderFileName when the machine key opens, else empty

  // The load itself asks for a complete save: the key was missing, the reading stopped early,
  // or a corrupt value was dropped or corrected.
  bool settingsChanged = false;

  // A positive limit fixes the scroll room to 0..LimitX by 0..LimitY.
  bool fixesScrollRoom() const { return limitX.value_or(0) > 0 || limitY.value_or(0) > 0; }
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

// The complete set a save writes, from the option fields (not the controls).
struct SettingsToSave {
  int32_t refreshRate = 60;
  int32_t scrollSpeed = 6;
  bool reversed = false;
  bool superMode = false;
  bool useKeys = false;
  bool menuMode = false;
  bool doLimit = false;
  bool showGlyphs = false;
  bool autoArrange = false;
  bool borderScroll = false;
  bool scrollLockChecked = false;  // the tray menu's Scroll Lock item
  bool smallScreen = false;
  bool autoScroll = true;
  bool autoCenter = false;
  bool useShift = true;
  // The user's standing choice of the 64-bit extension: true after a request to start the loader,
  // false after a request to end it. Not whether the loader's window has been seen yet: a start is
  // seen only at a later refresh tick, and saving the check mark would record 0 at the first hide.
  bool load64AtShow = false;
  bool doXMove = true;
  bool doYMove = false;
  int32_t limitX = 0;
  int32_t limitY = 0;
  std::string background;
  int32_t stickyMode = 8;
  std::vector<std::string> excludedClasses;
  std::vector<RememberedSize> rememberedSizes;
};

enum class SaveOutcome {
  NothingToSave,   // SettingsChanged was clear: no key was opened
  Saved,           // everything written; SettingsChanged cleared
  KeyUnavailable,  // the key could be neither opened nor created; SettingsChanged stays set
  WriteFailed,     // a write failed; the values after it were not written; SettingsChanged stays set
};

// Writes the complete set when settingsChanged is set, and clears it only when all of it was written,
// so that a failed save is retried at the next one. "PosNum" is written (as 0) only when absent.
SaveOutcome SaveSettings(SettingsStore& store, const SettingsToSave& values, bool& settingsChanged);

}  // namespace scroller
