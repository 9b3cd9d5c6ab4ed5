#pragma once
// What the set-size dialog decides, apart from any window: reading the two edit texts, the ranges
// a forced size and a fixed desktop may have, the texts the dialog opens with, and how a forced
// size is remembered for its window class.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/geometry.h"
#include "navigator/remembered_sizes.h"
#include "navigator/scroll_room.h"

namespace setsize {

// The whole text is one decimal integer of the 32-bit range, with an optional sign; blanks around
// it are allowed, anything else (trailing junk, an empty text, an overflow) is not a number.
std::optional<int32_t> ParseSizeText(std::string_view text);

enum class SizeError { None, InvalidWidth, InvalidHeight, OutOfRange };

// The message the dialog shows; empty for None.
const char* ErrorMessage(SizeError error);

struct EnteredSize {
  SizeError error = SizeError::None;
  int32_t width = 0;
  int32_t height = 0;
};

// The width is read first: a bad width is told before the height is looked at.
EnteredSize ReadEnteredSize(std::string_view widthText, std::string_view heightText);

// A window's forced size: both extents within the forced-size range of core/geometry.h.
SizeError CheckWindowSize(int32_t width, int32_t height);

// `screen` is the virtual screen's size, as the dialog reads it each time.
// The edit texts of the desktop mode: twice the screen without a fixed size, else the screen plus
// the limits (64-bit: stored limits may be anything).
struct DesktopTexts {
  int64_t width = 0;
  int64_t height = 0;
};
DesktopTexts DesktopDialogTexts(const navigator::DesktopLimits& limits, core::Size screen);

// Apply in desktop mode: nullopt when the size is below the screen's. A desktop fixed for the
// first time starts at the current view; one fixed before keeps the view's place in it.
struct FixedDesktop {
  navigator::DesktopLimits limits;
  navigator::ScrollRoom room;
};
std::optional<FixedDesktop> FixDesktopSize(int32_t width, int32_t height, core::Size screen,
                                           const navigator::DesktopLimits& limits,
                                           const navigator::ScrollRoom& room);

// Apply in window mode, for the class list: with "Remember size" the class gets the size (in its
// place when remembered already), without it a remembered class is forgotten. True when the
// settings changed.
bool RememberChoice(navigator::RememberedSizes& remembered, const std::string& winClass,
                    core::PackedSize size, bool remember);

// The program's own windows are never given a size.
bool IsOwnWindowClass(std::string_view winClass);

}  // namespace setsize
