#include "hooklib/subclass_table.h"

namespace hooklib {

std::optional<std::size_t> SubclassTable::IndexOf(WindowHandle window) const {
  for (std::size_t i = 0; i < count_; ++i) {
    if (windows_[i] == window) return i;
  }
  return std::nullopt;
}

std::optional<uint64_t> SubclassTable::IdForNewSubclass(WindowHandle window) const {
  if (Full() || Tracked(window)) return std::nullopt;
  return nextId_;
}

void SubclassTable::Record(WindowHandle window, uint64_t id) {
  if (Full() || Tracked(window)) return;
  windows_[count_] = window;
  ids_[count_] = id;
  ++count_;
  if (id >= nextId_) nextId_ = id + 1;
}

std::optional<uint64_t> SubclassTable::Remove(WindowHandle window) {
  const std::optional<std::size_t> slot = IndexOf(window);
  if (!slot) return std::nullopt;
  const uint64_t id = ids_[*slot];
  for (std::size_t i = *slot; i + 1 < count_; ++i) {
    windows_[i] = windows_[i + 1];
    ids_[i] = ids_[i + 1];
  }
  --count_;
  windows_[count_] = 0;
  ids_[count_] = 0;
  return id;
}

}  // namespace hooklib
