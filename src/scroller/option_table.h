#pragma once
// Every value of the settings key as one row: its registry name, what shows it (a track bar, a
// check box or nothing), where it is kept, its one default and its places in the order a load
// reads and the order a save writes. The load, the option controls' handlers, the copy into the
// option fields and the save all walk this table, so a new option is one row.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

#include "scroller/option_fields.h"

namespace scroller {

// The values stored with the options that no option control shows.
struct KeptValues {
  int32_t LimitX = 0;  // the fixed virtual-desktop size; 0 for none
  int32_t LimitY = 0;
  bool Load64AtShow = false;       // the user's standing choice of the 64-bit extension
  bool ScrollLockChecked = false;  // the tray menu's Scroll Lock item
};

enum class OptionKind {
  TrackBar,         // the value is the bar's position; the bar clamps it into its range
  CheckBox,         // the box is checked as `checkedWhen` says
  Value,            // kept in KeptValues, shown by no option control
  Constant,         // always written as its default and never read
  LayoutCount,      // the saved layout's count: written as the default only when the key lacks it
  BackgroundPath,   // a text: the navigator's background picture
  ExcludedClasses,  // a count, then that many numbered texts
  RememberedSizes,  // a count, then that many numbered class and size pairs
};

enum class CheckedWhen { ValueIsOne, ValueIsNotOne };

// What an option control's handler does besides copying the control into its field.
enum class OptionHandler {
  MarksAlways,             // every change marks the options changed
  MarksWhenFieldChanges,   // only a change of the field does (the axis factors)
  HotKeys,                 // its own handler, which registers the hot keys
};

// Where a row's state is kept: an option field, a kept value, or nowhere.
using OptionField = std::variant<std::monostate, int32_t OptionFields::*, bool OptionFields::*,
                                 int32_t KeptValues::*, bool KeptValues::*>;

struct TrackRange {
  int32_t min = 0;
  int32_t max = 0;
};

// A row's state is what its control shows: a track bar's position, 1 or 0 for a check box (or a
// flag kept as a value), or the plain number.
struct OptionRow {
  const char* name = "";      // as written; names ignore case, so any spelling reads it
  OptionKind kind = OptionKind::Value;
  const char* control = "";   // the control's name in the form description
  OptionField field{};
  int32_t defaultState = 0;   // the control's state in the form description, or the value
  int readOrder = 0;          // 1 is read first; 0: never read
  int writeOrder = 0;         // 1 is written first
  TrackRange range{};                                   // TrackBar
  CheckedWhen checkedWhen = CheckedWhen::ValueIsOne;    // CheckBox and flag values
  int32_t fieldWhenChecked = 1;                         // an integer field of a check box
  int32_t fieldWhenUnchecked = 0;
  OptionHandler handler = OptionHandler::MarksAlways;   // CheckBox and TrackBar
  bool negativeIsNone = false;  // a negative stored number is corrupt and reads as 0
  const char* itemName = "";    // the lists: the base name of the numbered values
  const char* sizeName = "";    // RememberedSizes: the base name of the numbered sizes
};

// In write order.
inline constexpr std::array kOptionTable = {
    OptionRow{.name = "PosNum", .kind = OptionKind::LayoutCount, .defaultState = 0, .writeOrder = 1},
    OptionRow{.name = "RefreshRate", .kind = OptionKind::TrackBar, .control = "RefreshRateBar",
              .field = &OptionFields::RefreshRate, .defaultState = 60, .readOrder = 1, .writeOrder = 2,
              .range = {30, 150}},
    OptionRow{.name = "ScrollSpeed", .kind = OptionKind::TrackBar, .control = "ScrollSpeedBar",
              .field = &OptionFields::ScrollSpeed, .defaultState = 6, .readOrder = 2, .writeOrder = 3,
              .range = {4, 9}},
    // 1 means not reversed.
    OptionRow{.name = "Reverse", .kind = OptionKind::CheckBox, .control = "ReverseCheckBox",
              .field = &OptionFields::ReverseFactor, .defaultState = 0, .readOrder = 6, .writeOrder = 4,
              .checkedWhen = CheckedWhen::ValueIsNotOne, .fieldWhenChecked = -1, .fieldWhenUnchecked = 1},
    // Always-scroll: every mouse movement scrolls.
    OptionRow{.name = "SuperMode", .kind = OptionKind::CheckBox, .control = "SuperCheckBox",
              .field = &OptionFields::SuperMode, .readOrder = 3, .writeOrder = 5},
    OptionRow{.name = "KeyMode", .kind = OptionKind::CheckBox, .control = "UseKeysCheckBox",
              .field = &OptionFields::UseKeys, .readOrder = 7, .writeOrder = 6, .handler = OptionHandler::HotKeys},
    OptionRow{.name = "AltKey", .kind = OptionKind::Constant, .defaultState = 0, .writeOrder = 7},
    // Holds scrolling back while a menu is open or a window is maximized.
    OptionRow{.name = "MenuMode", .kind = OptionKind::CheckBox, .control = "InMenuCheckBox",
              .field = &OptionFields::MenuMode, .readOrder = 8, .writeOrder = 8},
    OptionRow{.name = "DoLimit", .kind = OptionKind::CheckBox, .control = "LimitCheckBox",
              .field = &OptionFields::DoLimit, .readOrder = 9, .writeOrder = 9},
    // Screen shots of the windows in the navigator.
    OptionRow{.name = "ShowGlyphs", .kind = OptionKind::CheckBox, .control = "CaptureCheckBox",
              .field = &OptionFields::ShowGlyphs, .readOrder = 10, .writeOrder = 10},
    OptionRow{.name = "AutoArrange", .kind = OptionKind::CheckBox, .control = "ArrangeCheckBox",
              .field = &OptionFields::AutoArrange, .readOrder = 11, .writeOrder = 11},
    OptionRow{.name = "BorderScroll", .kind = OptionKind::CheckBox, .control = "CheckBoxBorderScroll",
              .field = &OptionFields::BorderScroll, .readOrder = 12, .writeOrder = 12},
    // 1 while the tray menu's Scroll Lock item is unchecked.
    OptionRow{.name = "SysScroll", .kind = OptionKind::Value, .field = &KeptValues::ScrollLockChecked,
              .defaultState = 0, .writeOrder = 13, .checkedWhen = CheckedWhen::ValueIsNotOne},
    OptionRow{.name = "SmallScreen", .kind = OptionKind::CheckBox, .control = "CheckBoxSmallScreen",
              .field = &OptionFields::SmallScreen, .readOrder = 13, .writeOrder = 14},
    OptionRow{.name = "AutoScroll", .kind = OptionKind::CheckBox, .control = "AutoScrollCheckBox",
              .field = &OptionFields::AutoScroll, .defaultState = 1, .readOrder = 14, .writeOrder = 15},
    OptionRow{.name = "AutoCenter", .kind = OptionKind::CheckBox, .control = "AutoCenterCheckBox",
              .field = &OptionFields::AutoCenter, .readOrder = 15, .writeOrder = 16},
    // The Shift+Ctrl and Ctrl+Alt chords.
    OptionRow{.name = "UseShift", .kind = OptionKind::CheckBox, .control = "ShiftCheckBox",
              .field = &OptionFields::UseShift, .defaultState = 1, .readOrder = 16, .writeOrder = 17},
    OptionRow{.name = "RepaintMode", .kind = OptionKind::Constant, .defaultState = 0, .writeOrder = 18},
    OptionRow{.name = "x64", .kind = OptionKind::Value, .field = &KeptValues::Load64AtShow, .defaultState = 0,
              .readOrder = 20, .writeOrder = 19},
    OptionRow{.name = "DoXMove", .kind = OptionKind::CheckBox, .control = "DoMoveXCheckBox",
              .field = &OptionFields::DoXMove, .defaultState = 1, .readOrder = 4, .writeOrder = 20,
              .handler = OptionHandler::MarksWhenFieldChanges},
    OptionRow{.name = "DoYMove", .kind = OptionKind::CheckBox, .control = "DoMoveYCheckBox",
              .field = &OptionFields::DoYMove, .readOrder = 5, .writeOrder = 21,
              .handler = OptionHandler::MarksWhenFieldChanges},
    OptionRow{.name = "LimitX", .kind = OptionKind::Value, .field = &KeptValues::LimitX, .readOrder = 18,
              .writeOrder = 22, .negativeIsNone = true},
    OptionRow{.name = "LimitY", .kind = OptionKind::Value, .field = &KeptValues::LimitY, .readOrder = 19,
              .writeOrder = 23, .negativeIsNone = true},
    OptionRow{.name = "Background", .kind = OptionKind::BackgroundPath, .readOrder = 21, .writeOrder = 24},
    // Edge events before an edge push scrolls.
    OptionRow{.name = "StickyMode", .kind = OptionKind::TrackBar, .control = "StickyTrackBar",
              .field = &OptionFields::Sticky, .defaultState = 8, .readOrder = 17, .writeOrder = 25,
              .range = {0, 48}},
    // The user's non-scrolling window classes.
    OptionRow{.name = "ExcludeNum", .kind = OptionKind::ExcludedClasses, .readOrder = 22, .writeOrder = 26,
              .itemName = "Exclude"},
    OptionRow{.name = "RememberNum", .kind = OptionKind::RememberedSizes, .readOrder = 23, .writeOrder = 27,
              .itemName = "RemC", .sizeName = "RemS"},
};

inline constexpr std::size_t kOptionCount = kOptionTable.size();

constexpr bool HasControl(const OptionRow& row) {
  return row.kind == OptionKind::TrackBar || row.kind == OptionKind::CheckBox;
}

// Row indexes in the order a load reads them (rows never read left out).
struct ReadSequence {
  std::array<std::size_t, kOptionCount> rows{};
  std::size_t count = 0;
};
constexpr ReadSequence ReadOrderOfTable() {
  ReadSequence s;
  for (int place = 1; place <= static_cast<int>(kOptionCount); ++place) {
    for (std::size_t i = 0; i < kOptionCount; ++i) {
      if (kOptionTable[i].readOrder == place) s.rows[s.count++] = i;
    }
  }
  return s;
}
inline constexpr ReadSequence kReadOrder = ReadOrderOfTable();

// The index of the row of that name (exact spelling), or nothing.
std::optional<std::size_t> OptionIndex(std::string_view name);

// The state a stored integer gives the row's control or kept value. A negative number of a row
// that takes none reads as 0.
int32_t StateFromStored(const OptionRow& row, int32_t stored);
// The integer a save writes for a state.
int32_t StoredFromState(const OptionRow& row, int32_t state);

// The row's state as its field holds it.
int32_t FieldState(const OptionRow& row, const OptionFields& options, const KeptValues& kept);
// Copies a state into the row's field; answers whether the field's value changed.
bool SetFieldState(const OptionRow& row, int32_t state, OptionFields& options, KeptValues& kept);

// The option fields as the form description's controls make them, and the kept values' defaults:
// what a first start runs with and what a save writes when nothing was read.
OptionFields DefaultOptionFields();
KeptValues DefaultKeptValues();

}  // namespace scroller
