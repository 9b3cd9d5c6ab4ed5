#pragma once
// Where a window is meant to be while a move posted to it is still on its way.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>

#include "core/geometry.h"

namespace navigator {

using WindowHandle = std::uintptr_t;

// A positive step moves the window left and up, as a scroll step moves the windows.
constexpr core::Point MovedTopLeft(core::Point p, int32_t moveX, int32_t moveY) {
  return {core::clampToInt32(int64_t{p.x} - moveX), core::clampToInt32(int64_t{p.y} - moveY)};
}

// Per window, the move on its way and the steps owed beyond it. A move that does not wait for the
// window's thread may not have been taken when the window is next read; with at most one on its
// way, a window read meanwhile is either where the move found it or where the move puts it, so
// every target is computed from where the window is meant to be and a slow window neither loses
// nor gains a step, its thread never holds more than one of these moves, and a hung window
// catches up with one move when it wakes. The scroll engine's move tick and the navigator's
// window drag keep one each.
class MoveLedger {
 public:
  // Where the window, seen at `seen`, is meant to stand: where the move on its way and the steps
  // owed put it; `seen` itself when nothing is on its way or somebody else has moved it.
  core::Point Meant(WindowHandle window, core::Point seen) const;

  // The window's share of a step, seen at `seen`: the place to send it now, recorded as on its
  // way; nullopt when nothing is to be sent (a move is still on its way, so the step is owed, or
  // the window already stands where it is meant to). Seen neither where its move found it nor
  // where the move puts it, somebody else moved it (the user, its application): it steps on from
  // where it is, and what it was owed goes.
  std::optional<core::Point> Advance(WindowHandle window, core::Point seen, int32_t moveX, int32_t moveY);

  // Stops tracking the windows that are not in `windows`. A window's record is kept aside for
  // kAbsentWalksKept more walks: one left out of a list (a scan that did not take it) and listed
  // again takes up its move where it stands.
  static constexpr int kAbsentWalksKept = 16;
  void Retain(std::span<const WindowHandle> windows);

  bool OnItsWay(WindowHandle window) const;
  // Whether the window, or any window, is owed steps it has not been sent yet.
  bool Owes(WindowHandle window) const;
  bool Owes() const;
  // The windows tracked, those kept aside left out.
  std::size_t Tracked() const;

 private:
  struct Flight {
    core::Point from;     // where the window stood when the move was sent
    core::Point to;       // where the move puts it
    int64_t owedX = 0;    // steps taken by the others and not sent to it yet
    int64_t owedY = 0;
    int absentWalks = 0;  // walks since it was last in the list
  };
  std::unordered_map<WindowHandle, Flight> flights_;
};

}  // namespace navigator
