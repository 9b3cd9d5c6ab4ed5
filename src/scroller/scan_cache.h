#pragma once
// What the refresh scan keeps of a window from one scan to the next. Ten scans a second over
// every window add up to hundreds of platform calls, each a round trip to the window server
// under Wine, and a busy application keeps the scan waiting on its icon up to the time-out. So:
// - the class name is kept for the life of a window. A handle is reused by a new window once
//   the old one is gone, so the name holds only while the window's class atom (one cheap call)
//   is the one it was read with, and a record goes at the end of the first scan that did not
//   meet its window;
// - the icon is asked again at most once a second, and the answer (no answer too) is kept in
//   between. It holds only for the same class atom and the same owning process and thread: a
//   new window behind a reused handle is asked anew.
// Everything else changes while a window lives and is read at every scan.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

#include "scroller/window_filter.h"

namespace scroller {

using ClassAtom = std::uint16_t;   // 0: could not be read
using IconHandle = std::uintptr_t;  // 0: none

struct WindowOwner {
  std::uint32_t processId = 0;
  std::uint32_t threadId = 0;
  friend bool operator==(const WindowOwner&, const WindowOwner&) = default;
};

class ScanCache {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kIconLifetime = std::chrono::seconds(1);

  // A scan at `now`, the time icons age against. Scans do not nest.
  void BeginScan(Clock::time_point now);
  // The records of windows this scan did not meet go.
  void EndScan();

  // The window's class name: the kept one while its class atom is the same, else `read` (kept
  // when the atom is known). A different atom starts the window's record afresh.
  std::string ClassName(WindowHandle window, ClassAtom atom, const std::function<std::string()>& read);

  // The window's icon: the kept one while it is younger than a second and the window still has
  // the owner it was asked with, else `ask`. Call it after ClassName for the window.
  IconHandle Icon(WindowHandle window, const WindowOwner& owner, const std::function<IconHandle()>& ask);

  std::size_t Size() const { return records_.size(); }

 private:
  struct Record {
    ClassAtom atom = 0;
    std::string className;
    bool hasIcon = false;
    WindowOwner iconOwner;
    IconHandle icon = 0;
    Clock::time_point iconAskedAt;
    std::uint64_t metInScan = 0;
  };

  Record& Meet(WindowHandle window);

  std::unordered_map<WindowHandle, Record> records_;
  std::uint64_t scan_ = 0;
  Clock::time_point now_;
};

}  // namespace scroller
