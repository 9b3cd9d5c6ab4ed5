#pragma once
// The saved window layout as values of the settings key: "PosNum", then per record i "PosN"i
// (caption), "PosC"i (class), "PosX"i, "PosY"i, "PosW"i, "PosH"i (the visible frame), and with a
// fixed desktop size "winxmin" and "winymin" (where the scroll room began). A save writes exactly
// what a restore reads back; a restore reads a damaged layout up to its first bad value and says
// which value that was.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "navigator/layout_matching.h"
#include "scroller/settings_store.h"

namespace scroller {

// Saved captions and classes are cut to this many characters when read: longer than any the scan
// reads, so an exact comparison gives what it would uncut, and short enough for the scoring.
inline constexpr std::size_t kMaxSavedTextLength = 255;
// The caption of a record without one.
inline constexpr const char* kMissingCaption = "XX";

// Where the scroll room began at the save.
struct SavedScrollOrigin {
  int32_t ScrollMinX = 0;
  int32_t ScrollMinY = 0;
};

struct LayoutReadError {
  std::string valueName;  // as it is named in the key, e.g. "PosX3"
  ReadStatus status = ReadStatus::Missing;
  friend bool operator==(const LayoutReadError&, const LayoutReadError&) = default;
};

// The message that tells the user which value stopped a restore.
std::string DescribeLayoutError(const LayoutReadError& error);

struct StoredLayout {
  // The key opened and holds "PosNum": records were asked for and the scroll origin is restored.
  bool present = false;
  // The records read, in record order, up to the first bad value (or the cap).
  std::vector<navigator::SavedPlace> records;
  bool recordsComplete = false;
  // Read only when asked for; each empty when missing.
  std::optional<int32_t> winxmin;
  std::optional<int32_t> winymin;
  bool originComplete = false;  // both were asked without an error
  std::optional<LayoutReadError> error;
};

// Reads the layout from a key the caller has opened for reading. The count is capped at
// kMaxNumberedValues; 0 or below reads no record. `readOrigin`: a fixed desktop size is in force,
// so "winxmin" and "winymin" belong to the restore.
StoredLayout ReadLayout(const SettingsStore& key, bool readOrigin);

struct LayoutSaveResult {
  bool keyOpened = false;
  // Records whose writes were begun: the entries of these indexes take their saved rectangle.
  std::size_t recordsBegun = 0;
  // The value whose write failed, or nothing.
  std::optional<std::string> failedValue;
};

// Opens the key with creation and writes the layout of `records` (at most kMaxNumberedValues of
// them), then the scroll origin when given. When a write fails, "PosNum" is set back to the
// records written whole, so that a restore never meets a record it cannot read.
LayoutSaveResult SaveLayout(SettingsStore& key, std::span<const navigator::SavedPlace> records,
                            const std::optional<SavedScrollOrigin>& origin);

}  // namespace scroller
