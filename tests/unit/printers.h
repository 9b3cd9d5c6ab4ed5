#pragma once
// How GoogleTest prints the core value types when an assertion fails. Every unit test file sees
// these (tests/unit/CMakeLists.txt puts this header in front of each), so a value prints the same
// everywhere and never as a byte dump; geometry.h itself stays free of stream headers.
#include <ostream>

#include "core/geometry.h"

namespace core {

inline void PrintTo(const Point& p, std::ostream* os) { *os << "Point{" << p.x << ", " << p.y << "}"; }

inline void PrintTo(const Size& s, std::ostream* os) { *os << "Size{" << s.width << " x " << s.height << "}"; }

inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "Rect{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

}  // namespace core
