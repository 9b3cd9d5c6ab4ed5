#include "scroller/window_lists.h"

#include <algorithm>

namespace scroller {

std::optional<std::string> ClassToMakeNonScrolling(std::span<const ListedRow> rows, int chosenRow,
                                                   std::span<const std::string> nonScrollingClasses) {
  if (chosenRow < 0 || static_cast<std::size_t>(chosenRow) >= rows.size()) return std::nullopt;
  const std::string& className = rows[static_cast<std::size_t>(chosenRow)].className;
  // An empty class would match every window whose class cannot be read.
  if (className.empty()) return std::nullopt;
  const bool present = std::any_of(nonScrollingClasses.begin(), nonScrollingClasses.end(),
                                   [&](const std::string& c) { return SameClassIgnoringCase(c, className); });
  if (present) return std::nullopt;
  return className;
}

}  // namespace scroller
