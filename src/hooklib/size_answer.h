#pragma once
// The control panel's answer to WM_HOOK_GET_SIZE as the hook library reads it. The answer is a
// packed size (width in the low 16 bits, height in the high 16 bits); only its low 32 bits count,
// because a 32-bit program's answer of 0xFFFFFFFF reaches a 64-bit process sign-extended. A
// question that got no answer (time-out, hung or vanished control panel) means no forced size.
#include <cstdint>

#include "core/geometry.h"

namespace hooklib {

enum class SizeAnswerKind {
  NoForcedSize,  // 0, or no answer at all
  Forced,        // `size` holds it
  StopTracking,  // 0xFFFFFFFF: the program is ending; release the window
};

struct SizeAnswer {
  SizeAnswerKind kind = SizeAnswerKind::NoForcedSize;
  core::Size size;  // Forced only

  friend bool operator==(const SizeAnswer&, const SizeAnswer&) = default;
};

// `answered` is false when the question failed or timed out; `result` is the message's result.
SizeAnswer DecodeSizeAnswer(bool answered, uint64_t result);

// The rectangle HCBT_MOVESIZE hands the hook: a forced size keeps left and top and sets the
// size; any other answer leaves it as it is. Computed in 64 bits, so no edge overflows.
core::Rect ApplyForcedSize(const core::Rect& rect, const SizeAnswer& answer);

}  // namespace hooklib
