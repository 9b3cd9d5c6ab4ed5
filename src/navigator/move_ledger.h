#pragma once
// One account per window of what every mover has asked of it: the scroll steps, the navigator's
// drag and the placements of arrangement and layout restore.
//
// Moves go without waiting for the window's thread, so a busy application takes them late. A
// window's place is no proof of what became of a move: applications refuse moves, hold windows
// in place, move them themselves, minimize or hide them with a move on its way. So arrival is not
// read from the place. A window owed a step is asked a question (a message its thread answers once
// it has taken everything sent to it before), and it is moved only just after it has answered:
// - steps for a window whose question is on its way are owed and go together as one move once it
//   answers, so a busy thread never holds more than one of our moves and one question, and a hung
//   one catches up with one move when it wakes;
// - a window is read, and its next place reckoned, only when its thread has taken all our earlier
//   moves and has just answered: where it stands then is where it and its application left it,
//   and what it is owed goes on from there. A refused or altered move is the application's own
//   answer: that window alone keeps its place for that step, and the next step moves it on.
//
// The platform's coordinate range stops windows at its edge. The scroll step is cut so that the
// desktop stops there as one piece (move_tick.h), but a window its application parked far out
// (beyond kParkedDistance outside the screen, where nobody works) does not hold the desktop: the
// range stops it alone, and what it could not take stays owed, so that it comes back to its very
// place when the desktop scrolls back.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "core/geometry.h"
#include "core/window_handle.h"

namespace navigator {

using core::WindowHandle;

// A place its application put a window at, this far or farther outside the virtual screen on an
// axis, parks it there on that axis: beyond any desktop a user scrolls through, and within reach
// of the range's edge (Windows parks windows at -32000).
inline constexpr int64_t kParkedDistance = 16384;

// A question unanswered this long while the window's thread is not hung is asked again: an answer
// may have been lost, and nothing may wait for one for ever.
inline constexpr uint32_t kAnswerPatienceMs = 2000;

// Whether a window is parked on each axis.
struct Parking {
  bool x = false;
  bool y = false;
  friend bool operator==(const Parking&, const Parking&) = default;
};

// A question to send: the window's thread answers it with the ticket once it has taken everything
// sent to it before. Only the answer to the latest question a window was sent counts.
using Ticket = uint32_t;

// How an answer is to be followed.
struct AnswerFollowUp {
  bool moveNow = false;           // steps are owed: Take it now
  std::optional<Ticket> askAgain;  // a placement went after the question answered: ask once more
};

// Where another mover (arrangement, a layout restore) has sent a window's visible top-left corner.
struct Placement {
  WindowHandle window = 0;
  core::Point topLeft;
};

class MoveLedger {
 public:
  // A step for the window, seen at `seen` (a positive step moves it left and up, as a scroll step
  // moves the windows). A window met for the first time is parked or not by where it stands in
  // `screen`. Returns the question to send now, when none is on its way.
  std::optional<Ticket> Owe(WindowHandle window, core::Point seen, int64_t stepX, int64_t stepY,
                            const core::Rect& screen, uint32_t nowMs);

  // Another mover (arrangement, a layout restore) has just sent the window to `placed`: what it
  // was owed goes, and the next question tells when it has arrived.
  void Placed(WindowHandle window, core::Point placed);

  // The window's thread answered a question.
  AnswerFollowUp Answered(WindowHandle window, Ticket ticket, uint32_t nowMs);

  // The windows that have answered and are owed steps: SendDue's list.
  std::vector<WindowHandle> Due() const;
  bool HasDue() const;

  // A due window, seen at `seen` now: where to send it, with everything it is owed; nullopt when
  // the range's edge holds it, and what it is owed waits for the next step. Seen elsewhere than
  // where it was last left, somebody else has placed it: its parking is judged anew from there.
  std::optional<core::Point> Take(WindowHandle window, core::Point seen, const core::Rect& screen);
  // A due window that cannot be read or moved now (hidden, minimized): what it is owed waits for
  // the next step.
  void Hold(WindowHandle window);

  // Where the window, seen at `seen`, is meant to stand once what is on its way and owed has
  // arrived (64-bit: a parked window may be meant beyond the range).
  struct Meant {
    int64_t x = 0;
    int64_t y = 0;
    friend bool operator==(const Meant&, const Meant&) = default;
  };
  Meant MeantFor(WindowHandle window, core::Point seen) const;
  // Whether the window is parked; one not tracked yet, or seen where somebody else has placed it,
  // is judged by where it is seen.
  Parking ParkingOf(WindowHandle window, core::Point seen, const core::Rect& screen) const;

  // Windows whose question has waited kAnswerPatienceMs: the caller asks again those whose thread
  // is not hung, with AskAgain's ticket.
  std::vector<WindowHandle> Unanswered(uint32_t nowMs) const;
  bool AnyUnanswered(uint32_t nowMs) const;
  Ticket AskAgain(WindowHandle window, uint32_t nowMs);
  // A hung thread is given another kAnswerPatienceMs before it is looked at again.
  void KeepWaiting(WindowHandle window, uint32_t nowMs);

  // Stops tracking the windows not in `windows` once they have been left out of kAbsentWalksKept
  // walks in a row with no question on its way: one left out of a scan and listed again takes up
  // what it is owed.
  static constexpr int kAbsentWalksKept = 16;
  void Retain(std::span<const WindowHandle> windows);
  // The window is gone.
  void Forget(WindowHandle window);
  // Forgets every tracked window for which `gone` holds.
  template <class Gone>
  void ForgetIf(Gone&& gone) {
    std::erase_if(accounts_, [&](const auto& e) { return gone(e.first); });
  }

  bool Asked(WindowHandle window) const;
  bool Owes(WindowHandle window) const;
  std::size_t Tracked() const { return accounts_.size(); }

 private:
  struct Account {
    int64_t owedX = 0;               // steps not sent yet, what the range holds back included
    int64_t owedY = 0;
    core::Point left;                // where our last move put it, or where it was last read
    bool moveOnItsWay = false;       // a move went after the last answer, not confirmed yet
    bool asked = false;              // a question is on its way
    bool askAgain = false;           // a placement went after that question
    bool answered = false;           // it has answered and may be moved now
    Parking parked;
    Ticket ticket = 0;               // of the question on its way
    uint32_t askedAt = 0;
    int absentWalks = 0;
  };
  static Parking ParkedAt(core::Point p, const core::Rect& screen);
  static bool Overdue(const Account& a, uint32_t nowMs);
  Ticket Ask(Account& a, uint32_t nowMs);

  std::unordered_map<WindowHandle, Account> accounts_;
  Ticket nextTicket_ = 1;
};

}  // namespace navigator
