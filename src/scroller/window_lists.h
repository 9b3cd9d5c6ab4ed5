#pragma once
// The Scrolling Windows tab's decisions: which class a ">" press moves to the non-scrolling list,
// and when the list of scrolling windows is filled again.
#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "scroller/window_filter.h"

namespace scroller {

// One row of the scrolling windows' list as it was filled: the window and its class as the scan
// read them. The rows stay as the user saw them, whatever the scans have done since.
struct ListedRow {
  WindowHandle window = 0;
  std::string className;
};

// The class the chosen row moves to the non-scrolling list; nothing when no row is chosen, the
// row is not listed, its class could not be read, or the class is already there (any case).
std::optional<std::string> ClassToMakeNonScrolling(std::span<const ListedRow> rows, int chosenRow,
                                                   std::span<const std::string> nonScrollingClasses);

// After a scan: refill the list when the panel shows and the number of scrolling windows differs
// from what was shown last.
constexpr bool RefillAfterScan(bool panelVisible, std::size_t listed, std::size_t shownListCount) {
  return panelVisible && listed != shownListCount;
}

}  // namespace scroller
