#include "hooklib/size_answer.h"

namespace hooklib {

SizeAnswer DecodeSizeAnswer(bool answered, uint64_t result) {
  if (!answered) return {};
  const auto packed = static_cast<core::PackedSize>(result & 0xFFFFFFFFu);
  if (packed == core::kStopTracking) return {SizeAnswerKind::StopTracking};
  if (packed == core::kNoForcedSize) return {};
  return {SizeAnswerKind::Forced,
          {static_cast<int32_t>(core::packedWidth(packed)), static_cast<int32_t>(core::packedHeight(packed))}};
}

core::Rect ApplyForcedSize(const core::Rect& rect, const SizeAnswer& answer) {
  if (answer.kind != SizeAnswerKind::Forced) return rect;
  core::Rect out = rect;
  out.right = core::clampToInt32(int64_t{rect.left} + answer.size.width);
  out.bottom = core::clampToInt32(int64_t{rect.top} + answer.size.height);
  return out;
}

}  // namespace hooklib
