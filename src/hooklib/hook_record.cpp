#include "hooklib/hook_record.h"

namespace hooklib {
namespace {

uint64_t Word(HookSetter s) { return uint64_t{s.startedLow} << 32 | s.thread; }

}  // namespace

void HookRecord::Publish(HookSetter setter) { word_.store(Word(setter), std::memory_order_release); }

void HookRecord::Withdraw(HookSetter setter) {
  uint64_t expected = Word(setter);
  word_.compare_exchange_strong(expected, 0, std::memory_order_acq_rel);
}

std::optional<HookSetter> HookRecord::Current() const {
  const uint64_t w = word_.load(std::memory_order_acquire);
  if (w == 0) return std::nullopt;
  return HookSetter{static_cast<uint32_t>(w), static_cast<uint32_t>(w >> 32)};
}

}  // namespace hooklib
