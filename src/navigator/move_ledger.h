#pragma once
// Where a window is meant to be while moves posted to it are still on their way.
#include <cstddef>
#include <cstdint>
#include <deque>
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

// Per window, the places it was sent to and has not been seen at yet, and what it is owed beyond
// them: moves that do not wait for the window's thread are computed from where the window is
// meant to be, never from a place it has not left yet. The scroll engine's move tick and the
// navigator's window drag keep one each.
class MoveLedger {
 public:
  // At most this many moves are posted to a window that has not taken them. Further steps add up
  // as owed and go as one move once it has taken some, so a window hung for long catches up when
  // it wakes, and neither the ledger nor the window's queue grows without bound.
  static constexpr std::size_t kMaxOutstanding = 64;

  // The place to send a window read at `seen`, recorded as sent; nullopt when nothing is to be
  // sent now (the move is owed, or it would not move the window). While `seen` is the place it
  // stood when the first outstanding move was sent, or one of the places sent since, the window
  // is on its way and the target follows on from the last place sent. Anywhere else, somebody
  // else moved it (the user, the application) and the target follows on from `seen`.
  std::optional<core::Point> Advance(WindowHandle window, core::Point seen, int32_t moveX, int32_t moveY);

  // Stops tracking the windows that are not in `windows`. What was sent to one is kept aside for
  // kAbsentWalksKept more walks: a window left out of one list (a scan that had not reached it)
  // and listed again takes up its moves where they stand.
  static constexpr int kAbsentWalksKept = 16;
  void Retain(std::span<const WindowHandle> windows);

  std::size_t Outstanding(WindowHandle window) const;
  // Whether the window, or any window, is owed steps it has not been sent yet.
  bool Owes(WindowHandle window) const;
  bool Owes() const;
  // The windows tracked, those kept aside left out.
  std::size_t Tracked() const;

 private:
  struct Chain {
    core::Point from;               // where the window stood before the oldest outstanding move
    std::deque<core::Point> sent;   // oldest first
    int64_t owedX = 0;              // steps not sent to it yet
    int64_t owedY = 0;
    int absentWalks = 0;            // walks since it was last in the list
  };
  std::unordered_map<WindowHandle, Chain> chains_;
};

}  // namespace navigator
