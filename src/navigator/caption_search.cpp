#include "navigator/caption_search.h"

#include <algorithm>

namespace navigator {
namespace {

// A bound of `count` matching characters, by the score's own expression; two empty texts are
// equal and score 100.
double BoundOf(std::size_t count, std::size_t lengthA, std::size_t lengthB) {
  return lengthA + lengthB == 0 ? 100.0 : SimilarityOf(static_cast<int64_t>(count), lengthA, lengthB);
}

// Orders the queue: the highest bound first, the earlier candidate of equal ones.
bool ComesLater(double valueA, std::size_t indexA, double valueB, std::size_t indexB) {
  return valueA < valueB || (valueA == valueB && indexA > indexB);
}

}  // namespace

PreparedCaption::PreparedCaption(std::string_view caption) : upper_(UpperCaseAToZ(caption)) {
  if (upper_.size() > kCountedLength) return;
  for (const char c : upper_) ++counts_[static_cast<unsigned char>(c)];
}

std::size_t SharedCharacters(const PreparedCaption& a, const PreparedCaption& b) {
  const std::size_t shorter = std::min(a.upper_.size(), b.upper_.size());
  if (std::max(a.upper_.size(), b.upper_.size()) > PreparedCaption::kCountedLength) return shorter;
  unsigned shared = 0;
  for (std::size_t c = 0; c < a.counts_.size(); ++c) shared += std::min(a.counts_[c], b.counts_[c]);
  return shared;
}

CaptionSearch::Scored CaptionSearch::MostSimilar(std::span<const PreparedCaption* const> candidates,
                                                 const PreparedCaption& saved) {
  const std::string_view savedText = saved.Text();
  bool patternSet = false;
  queue_.clear();
  scored_.clear();
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const PreparedCaption& c = *candidates[i];
    queue_.push_back({BoundOf(SharedCharacters(c, saved), c.Text().size(), savedText.size()), i,
                      Known::SharedCharacters});
  }
  const auto later = [](const Bound& x, const Bound& y) { return ComesLater(x.value, x.index, y.value, y.index); };
  std::make_heap(queue_.begin(), queue_.end(), later);
  for (;;) {
    std::pop_heap(queue_.begin(), queue_.end(), later);
    Bound& first = queue_.back();
    const std::string_view caption = candidates[first.index]->Text();
    switch (first.known) {
      case Known::Score:
        return {first.index, first.value};
      case Known::SharedCharacters:
        if (!patternSet) {
          subsequence_.SetPattern(savedText);
          patternSet = true;
        }
        first.value = BoundOf(subsequence_.LengthWith(caption), caption.size(), savedText.size());
        first.known = Known::CommonSubsequence;
        break;
      case Known::CommonSubsequence:
        first.value = counter_.Similarity(caption, savedText);
        scored_.push_back({first.index, first.value});
        first.known = Known::Score;
        break;
    }
    std::push_heap(queue_.begin(), queue_.end(), later);
  }
}

}  // namespace navigator
