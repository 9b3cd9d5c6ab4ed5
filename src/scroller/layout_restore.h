#pragma once
// The restore of a saved window layout, decided before any window moves: the windows that still
// have their entry's saved rectangle go back there, the registry records are matched to the
// others in two passes, and with a fixed desktop size the scroll room is put back where it was
// at the save. A layout damaged at some value is restored up to that value: the first pass runs
// over the records read before it, and neither the second pass nor the scroll room follow, as if
// the restore had stopped there; the user is told once which value it was.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "navigator/app_win.h"
#include "navigator/layout_matching.h"
#include "navigator/scroll_room.h"
#include "scroller/layout_codec.h"

namespace scroller {

struct RestoreFacts {
  navigator::ScrollRoom room;
  navigator::DesktopLimits limits;
  core::Rect area;  // what the room is measured against
};

struct RestorePlan {
  // In the order they are to be made; none puts a window wholly off the desktop the scroll room
  // allows after the restore.
  std::vector<navigator::PlannedPlacement> moves;
  std::optional<navigator::ScrollRoom> room;  // the scroll room after the moves, when it changes
  std::optional<std::string> error;           // to tell once the moves are made
};

// Sets Placed on the entries it takes. `stored` is empty (not present) when the key did not open.
RestorePlan PlanLayoutRestore(std::span<navigator::tAppWin* const> entries, const StoredLayout& stored,
                              const RestoreFacts& facts);

// The save's side: one record per entry, in scan order, from the entry's caption, class and
// visible frame as the last scan saw them.
std::vector<navigator::SavedPlace> RecordsOf(std::span<navigator::tAppWin* const> entries);
// The first `count` entries keep their frame as their saved rectangle for this run.
void TakeSavedRects(std::span<navigator::tAppWin* const> entries, std::size_t count);

}  // namespace scroller
