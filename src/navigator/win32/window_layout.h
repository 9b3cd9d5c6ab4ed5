#pragma once
// Making the moves that an arrangement or a layout restore planned. Neither waits for the
// windows' threads: a hung application must not stall the program, and with nothing waited on no
// message of another process runs nested in the middle.
#include <span>

#include "navigator/arrangement.h"
#include "navigator/layout_matching.h"

namespace navigator {

// Each window's visible frame to its planned top-left corner; sizes unchanged.
void ApplyArrangeMoves(std::span<const ArrangeMove> moves);
// Each window's visible frame to its planned place and size, repainted.
void ApplyPlacements(std::span<const PlannedPlacement> moves);

}  // namespace navigator
