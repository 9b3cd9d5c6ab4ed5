#pragma once
// The windows the hook library has subclassed in one process, in the order they were
// subclassed, each with the subclass id it got. 256 slots, of which at most 255 are used; ids
// grow by one with each subclass and are never used twice in a process, so a window subclassed
// anew after a silent removal never meets its old subclass's id. The table decides only; the
// Win32 side subclasses and removes, and serialises access from the process's GUI threads.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "hooklib/subclass_candidate.h"

namespace hooklib {

inline constexpr std::size_t kSubclassSlots = 256;
inline constexpr std::size_t kMaxTrackedWindows = 255;

class SubclassTable {
 public:
  // The first slot holding the window, or nothing.
  std::optional<std::size_t> IndexOf(WindowHandle window) const;
  bool Tracked(WindowHandle window) const { return IndexOf(window).has_value(); }
  bool Full() const { return count_ >= kMaxTrackedWindows; }

  // The id the next subclass is to use; nothing when the table is full or the window is tracked.
  std::optional<uint64_t> IdForNewSubclass(WindowHandle window) const;
  // Records a subclass that was set under IdForNewSubclass's id; the next id is one higher.
  void Record(WindowHandle window, uint64_t id);
  // Drops the window's record (the later slots move down, keeping their order); its id, or
  // nothing when the window was not tracked.
  std::optional<uint64_t> Remove(WindowHandle window);
  // Empties the table; the next id is kept, so ids stay unique.
  void Clear() { count_ = 0; }

  std::size_t Count() const { return count_; }
  WindowHandle WindowAt(std::size_t slot) const { return windows_[slot]; }
  uint64_t IdAt(std::size_t slot) const { return ids_[slot]; }
  uint64_t NextId() const { return nextId_; }

 private:
  std::array<WindowHandle, kSubclassSlots> windows_{};
  std::array<uint64_t, kSubclassSlots> ids_{};
  std::size_t count_ = 0;
  uint64_t nextId_ = 1;
};

}  // namespace hooklib
