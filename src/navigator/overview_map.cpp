#include "navigator/overview_map.h"

#include <cmath>
#include <limits>

namespace navigator {
namespace {

constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();

int64_t Div64(int64_t a, int64_t b) {
  if (b == 0) return 0;
  if (a == kMin64 && b == -1) return kMax64;
  return a / b;
}

// a * b / c in 64 bits; a product beyond them saturates.
int64_t MulDiv64(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  int64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) {
    const bool negative = ((a < 0) != (b < 0)) != (c < 0);
    return negative ? kMin64 : kMax64;
  }
  return Div64(product, c);
}

}  // namespace

int32_t MulDivSaturated(int64_t a, int64_t b, int64_t c) { return core::clampToInt32(MulDiv64(a, b, c)); }

core::Rect ScreenExtent(const core::Rect& vs, int32_t doXMove, int32_t doYMove) {
  const int64_t mx = (vs.width() / 16) * doXMove;
  const int64_t my = (vs.height() / 16) * doYMove;
  return {core::clampToInt32(vs.left - mx - 1), core::clampToInt32(vs.top - my - 1),
          core::clampToInt32(vs.right + mx), core::clampToInt32(vs.bottom + my)};
}

core::Rect OverviewExtent(const core::Rect& virtualScreen, int32_t doXMove, int32_t doYMove,
                          std::span<const core::Rect> windows, core::Size panel) {
  core::Rect e = ScreenExtent(virtualScreen, doXMove, doYMove);
  for (const core::Rect& w : windows) {
    if (w.left < e.left) e.left = w.left;
    if (w.right > e.right) e.right = w.right;
    if (w.top < e.top) e.top = w.top;
    if (w.bottom > e.bottom) e.bottom = w.bottom;
  }
  e.right = core::clampToInt32(int64_t{e.right} + 1);
  e.bottom = core::clampToInt32(int64_t{e.bottom} + 1);
  if (panel.width <= 0 || panel.height <= 0) return e;

  const int64_t w = e.width();
  const int64_t h = e.height();
  const double panelRatio = static_cast<double>(panel.width) / panel.height;
  const double extentRatio = static_cast<double>(w) / static_cast<double>(h);
  // An unordered comparison (h == 0 gives a NaN or an infinity) pads the width, as a wider panel.
  const bool padWidth = !(panelRatio < extentRatio);
  if (padWidth) {
    const int64_t t = Div64(MulDiv64(h, panel.width, panel.height) - w, 2);
    e.left = core::clampToInt32(e.left - t);
    e.right = core::clampToInt32(e.right + t);
  } else {
    const int64_t t = Div64(MulDiv64(w, panel.height, panel.width) - h, 2);
    e.top = core::clampToInt32(e.top - t);
    e.bottom = core::clampToInt32(e.bottom + t);
  }
  return e;
}

core::Point ToPanel(const core::Rect& e, core::Size panel, core::Point p) {
  return {MulDivSaturated(int64_t{p.x} - e.left, panel.width, e.width()),
          MulDivSaturated(int64_t{p.y} - e.top, panel.height, e.height())};
}

core::Rect ToPanel(const core::Rect& e, core::Size panel, const core::Rect& r) {
  const core::Point a = ToPanel(e, panel, core::Point{r.left, r.top});
  const core::Point b = ToPanel(e, panel, core::Point{r.right, r.bottom});
  return {a.x, a.y, b.x, b.y};
}

Viewport ViewportOf(const core::Rect& e, core::Size panel, const core::Rect& vs) {
  const core::Point a = ToPanel(e, panel, core::Point{vs.left, vs.top});
  const core::Point b =
      ToPanel(e, panel, core::Point{core::clampToInt32(int64_t{vs.right} - 1), core::clampToInt32(int64_t{vs.bottom} - 1)});
  Viewport v;
  v.rect = {a.x, a.y, b.x, b.y};
  v.center = {core::clampToInt32(a.x + (int64_t{b.x} - a.x) / 2), core::clampToInt32(a.y + (int64_t{b.y} - a.y) / 2)};
  return v;
}

}  // namespace navigator
