#include "scroller/hot_keys.h"

#include <algorithm>

namespace scroller {
namespace {

int32_t Fraction(int64_t extent, const EngineOptions& o) {
  // A work area reported with no size gives no step rather than a negative one.
  const int64_t e = std::max<int64_t>(extent, 0);
  return core::clampToInt32(e >> (SpeedOf(o) - kMinScrollSpeed));
}

}  // namespace

std::optional<Step> HotKeyStep(int id, core::Size workArea, const EngineOptions& o) {
  const int32_t across = Fraction(workArea.width, o);
  const int32_t down = Fraction(workArea.height, o);
  switch (id) {
    case kHotKeyLeft: return Step{-across, 0};
    case kHotKeyRight: return Step{across, 0};
    case kHotKeyUp: return Step{0, -down};
    case kHotKeyDown: return Step{0, down};
    default: return std::nullopt;
  }
}

bool ApplyHotKey(EngineState& s, const EngineOptions& o, int id, core::Size workArea) {
  const std::optional<Step> step = HotKeyStep(id, workArea, o);
  if (!step) return false;
  s.PendingDX = step->dx;
  s.PendingDY = step->dy;
  return true;
}

UseKeysOutcome UseKeysClicked(bool useKeys, bool boxChecked, HotKeyRegistrar& registrar) {
  UseKeysOutcome out;
  out.UseKeys = useKeys;
  if (useKeys && !boxChecked) {
    ReleaseHotKeys(registrar);
    out.UseKeys = false;
  } else if (!useKeys && boxChecked) {
    std::size_t registered = 0;
    while (registered < kHotKeys.size() &&
           registrar.Register(kHotKeys[registered].id, kHotKeyModifiers,
                              kHotKeys[registered].virtualKey)) {
      ++registered;
    }
    out.UseKeys = registered == kHotKeys.size();
    if (!out.UseKeys) {
      for (std::size_t i = 0; i < registered; ++i) registrar.Unregister(kHotKeys[i].id);
      out.ShowInUseMessage = true;
      out.UncheckBox = true;
    }
  }
  return out;
}

void ReleaseHotKeys(HotKeyRegistrar& registrar) {
  for (const HotKey& k : kHotKeys) registrar.Unregister(k.id);
}

}  // namespace scroller
