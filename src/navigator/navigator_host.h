#pragma once
// What the navigator sees of the control panel: the options it reads, the pending scroll step it
// writes (the move timer applies it), the window moves it asks for and the repaint countdown its
// painting shortens. The navigator never sees the panel or the engine themselves.
#include <cstdint>
#include <span>

#include "core/geometry.h"
#include "navigator/move_ledger.h"

namespace navigator {

class NavigatorHost {
 public:
  virtual ~NavigatorHost() = default;
  virtual int32_t DoXMove() const = 0;  // 0 or 1
  virtual int32_t DoYMove() const = 0;
  virtual bool ShowGlyphs() const = 0;  // draw windows as their screen shots
  // Written, not added: a step the move timer has not applied yet is replaced.
  virtual void SetPendingDX(int32_t dx) = 0;
  virtual void SetPendingDY(int32_t dy) = 0;
  // The painting drew a stale list or failed: the panel repaints within three scans.
  virtual void RepaintSoon() = 0;
  // A right drag's step for the window seen at `seen` (positive: right and down). It goes with
  // every other mover's steps for that window, without waiting for the window's thread.
  virtual void MoveWindowBy(WindowHandle window, core::Point seen, int64_t dx, int64_t dy) = 0;
  // Arrangement has just sent these windows to these visible places: what they were owed goes.
  virtual void WindowsPlaced(std::span<const Placement> placed) = 0;
};

}  // namespace navigator
