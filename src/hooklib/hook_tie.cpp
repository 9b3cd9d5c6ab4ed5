#include "hooklib/hook_tie.h"

#include <cstdio>

namespace hooklib {
namespace {

constexpr std::size_t kHookDigits = 8;

std::string Prefix(std::string_view library, unsigned bits) {
  return std::string(library) + " " + std::to_string(bits) + "-bit hook ";
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

}  // namespace

bool HookTie::Confirm(Witness tie, WitnessFacts& facts) {
  if (!Holds(tie)) return false;
  if (facts.Exists(tie)) return true;
  End(tie);
  return false;
}

Witness HookTie::Current(WitnessFacts& facts) {
  Witness live = live_.load(std::memory_order_acquire);
  if (live != 0 && facts.Exists(live)) return live;
  Witness next = 0;
  for (WitnessSource source : kWitnessOrder) {
    const Witness found = facts.Find(source);
    if (found != 0 && facts.Exists(found)) {
      next = found;
      break;
    }
  }
  // A tie that another thread made meanwhile stands; `live` then holds it.
  if (live_.compare_exchange_strong(live, next, std::memory_order_acq_rel)) return next;
  return live;
}

void HookTie::End(Witness witness) {
  Witness expected = witness;
  live_.compare_exchange_strong(expected, 0, std::memory_order_acq_rel);
}

std::string WitnessName(std::string_view library, unsigned bits, uint32_t hook) {
  char digits[kHookDigits + 1] = {};
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(hook));
  return Prefix(library, bits) + digits;
}

bool IsWitnessName(std::string_view name, std::string_view library, unsigned bits) {
  const std::string prefix = Prefix(library, bits);
  if (name.size() != prefix.size() + kHookDigits || name.substr(0, prefix.size()) != prefix) return false;
  for (char c : name.substr(prefix.size())) {
    if (!IsHexDigit(c)) return false;
  }
  return true;
}

}  // namespace hooklib
