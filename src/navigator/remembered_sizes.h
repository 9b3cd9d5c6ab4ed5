#pragma once
// Forced sizes remembered per window class: a new window of such a class gets the size at once.
// Each is an outer size (the window rectangle's), as the user set it in the set-size dialog.
// Classes match without regard to case; the first match counts.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/geometry.h"

namespace navigator {

bool SameClassIgnoringCase(const std::string& a, const std::string& b);

class RememberedSizes {
 public:
  // Index of the first class matching ignoring case, or nullopt.
  std::optional<std::size_t> IndexOf(const std::string& winClass) const;
  // The size to impose on a window of this class; nullopt when the class is not remembered,
  // has no size beside it, or its size is unusable.
  std::optional<core::PackedSize> Find(const std::string& winClass) const;

  // Sets the size of the class (its first match), or appends the class.
  void Remember(const std::string& winClass, core::PackedSize size);
  // Removes the first match; false when the class was not remembered.
  bool Forget(const std::string& winClass);
  void Clear();

  const std::vector<std::string>& Classes() const { return classes_; }
  const std::vector<core::PackedSize>& Sizes() const { return sizes_; }

  // Loads both lists as stored; they may differ in length (a class without a size).
  void Assign(std::vector<std::string> classes, std::vector<core::PackedSize> sizes);

 private:
  std::vector<std::string> classes_;
  std::vector<core::PackedSize> sizes_;
};

}  // namespace navigator
