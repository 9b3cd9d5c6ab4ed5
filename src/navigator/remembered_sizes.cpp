#include "navigator/remembered_sizes.h"

#include "core/text.h"

#include <algorithm>

namespace navigator {

bool SameClassIgnoringCase(const std::string& a, const std::string& b) { return core::EqualsIgnoringCase(a, b); }

std::optional<std::size_t> RememberedSizes::IndexOf(const std::string& winClass) const {
  for (std::size_t i = 0; i < classes_.size(); ++i) {
    if (SameClassIgnoringCase(classes_[i], winClass)) return i;
  }
  return std::nullopt;
}

std::optional<core::PackedSize> RememberedSizes::Find(const std::string& winClass) const {
  const std::optional<std::size_t> i = IndexOf(winClass);
  if (!i || *i >= sizes_.size() || !core::IsUsableForcedSize(sizes_[*i])) return std::nullopt;
  return sizes_[*i];
}

void RememberedSizes::Remember(const std::string& winClass, core::PackedSize size) {
  std::size_t i = IndexOf(winClass).value_or(classes_.size());
  if (i == classes_.size()) classes_.push_back(winClass);
  // Classes without a size stay not remembered (0) and keep the two lists parallel.
  if (sizes_.size() <= i) sizes_.resize(i + 1, core::kNoForcedSize);
  sizes_[i] = size;
}

bool RememberedSizes::Forget(const std::string& winClass) {
  const std::optional<std::size_t> i = IndexOf(winClass);
  if (!i) return false;
  classes_.erase(classes_.begin() + static_cast<std::ptrdiff_t>(*i));
  if (*i < sizes_.size()) sizes_.erase(sizes_.begin() + static_cast<std::ptrdiff_t>(*i));
  return true;
}

void RememberedSizes::Clear() {
  classes_.clear();
  sizes_.clear();
}

void RememberedSizes::Assign(std::vector<std::string> classes, std::vector<core::PackedSize> sizes) {
  classes_ = std::move(classes);
  sizes_ = std::move(sizes);
  // A size without a class belongs to nothing; dropping it keeps later appends aligned.
  if (sizes_.size() > classes_.size()) sizes_.resize(classes_.size());
}

}  // namespace navigator
