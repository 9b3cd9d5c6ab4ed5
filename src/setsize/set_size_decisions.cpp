#include "setsize/set_size_decisions.h"

#include <charconv>
#include <limits>

namespace setsize {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<int32_t> ParseSizeText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

const char* ErrorMessage(SizeError error) {
  switch (error) {
    case SizeError::InvalidWidth: return "Invalid width value!";
    case SizeError::InvalidHeight: return "Invalid height value!";
    case SizeError::OutOfRange: return "Values out of range!";
    case SizeError::None: break;
  }
  return "";
}

EnteredSize ReadEnteredSize(std::string_view widthText, std::string_view heightText) {
  const std::optional<int32_t> width = ParseSizeText(widthText);
  if (!width) return {.error = SizeError::InvalidWidth};
  const std::optional<int32_t> height = ParseSizeText(heightText);
  if (!height) return {.error = SizeError::InvalidHeight};
  return {.width = *width, .height = *height};
}

SizeError CheckWindowSize(int32_t width, int32_t height) {
  return core::IsUsableForcedSize(width, height) ? SizeError::None : SizeError::OutOfRange;
}

DesktopTexts DesktopDialogTexts(const navigator::DesktopLimits& limits, core::Size screen) {
  if (limits.LimitX == 0 && limits.LimitY == 0) return {2 * int64_t{screen.width}, 2 * int64_t{screen.height}};
  return {int64_t{screen.width} + limits.LimitX, int64_t{screen.height} + limits.LimitY};
}

std::optional<FixedDesktop> FixDesktopSize(int32_t width, int32_t height, core::Size screen,
                                           const navigator::DesktopLimits& limits,
                                           const navigator::ScrollRoom& room) {
  if (width < screen.width || height < screen.height) return std::nullopt;
  FixedDesktop fixed;
  fixed.limits.LimitX = core::clampToInt32(int64_t{width} - screen.width);
  fixed.limits.LimitY = core::clampToInt32(int64_t{height} - screen.height);
  if (!limits.FixedSizeInForce()) {
    fixed.room = {.ScrollMinX = 0, .ScrollMaxX = fixed.limits.LimitX, .ScrollMinY = 0,
                  .ScrollMaxY = fixed.limits.LimitY};
  } else {
    // A huge desktop far into the room would pass the 32-bit range: it stops at its edge.
    fixed.room = room;
    fixed.room.ScrollMaxX = core::clampToInt32(int64_t{room.ScrollMinX} + fixed.limits.LimitX);
    fixed.room.ScrollMaxY = core::clampToInt32(int64_t{room.ScrollMinY} + fixed.limits.LimitY);
  }
  return fixed;
}

bool RememberChoice(navigator::RememberedSizes& remembered, const std::string& winClass,
                    core::PackedSize size, bool remember) {
  if (remember) {
    remembered.Remember(winClass, size);
    return true;
  }
  return remembered.Forget(winClass);
}

bool IsOwnWindowClass(std::string_view winClass) {
  return winClass == "TTavelmoorForm" || winClass == "TNavigator";
}

}  // namespace setsize
