#pragma once
// How GoogleTest prints the value types when an assertion fails. Every unit test file sees
// these (tests/unit/CMakeLists.txt puts this header in front of each), so a value prints the same
// everywhere and never as a byte dump; geometry.h itself stays free of stream headers.
#include <ostream>

#include "app/startup_decisions.h"
#include "core/geometry.h"
#include "hooklib/size_answer.h"
#include "hooklib/subclass_candidate.h"
#include "navigator/overview_map.h"
#include "navigator/arrangement.h"
#include "navigator/layout_matching.h"
#include "navigator/background_picture.h"
#include "navigator/jpeg_decoder.h"
#include "navigator/scroll_room.h"
#include "navigator/show_mode.h"
#include "navigator/visible_frame.h"
#include "scroller/hot_keys.h"
#include "scroller/layout_codec.h"
#include "scroller/refresh_tick.h"
#include "scroller/settings_codec.h"
#include "scroller/settings_store.h"

namespace core {

inline void PrintTo(const Point& p, std::ostream* os) { *os << "Point{" << p.x << ", " << p.y << "}"; }

inline void PrintTo(const Size& s, std::ostream* os) { *os << "Size{" << s.width << " x " << s.height << "}"; }

inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "Rect{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

inline void PrintTo(const Bounds& b, std::ostream* os) {
  *os << "Bounds{" << b.x << ", " << b.y << ", " << b.width << " x " << b.height << "}";
}

}  // namespace core

namespace navigator {

inline void PrintTo(const ScrollRoom& r, std::ostream* os) {
  *os << "ScrollRoom{x " << r.ScrollMinX << ".." << r.ScrollMaxX << ", y " << r.ScrollMinY << ".." << r.ScrollMaxY
      << "}";
}

inline void PrintTo(const FrameMargins& m, std::ostream* os) {
  *os << "FrameMargins{" << m.left << ", " << m.top << ", " << m.right << ", " << m.bottom << "}";
}

inline void PrintTo(const ArrangeMove& m, std::ostream* os) {
  *os << "ArrangeMove{0x" << std::hex << m.window << std::dec << " to " << m.visibleTopLeft.x << ", "
      << m.visibleTopLeft.y << "}";
}

inline void PrintTo(const PlannedPlacement& m, std::ostream* os) {
  *os << "PlannedPlacement{0x" << std::hex << m.window << std::dec << ", ";
  PrintTo(m.bounds, os);
  *os << "}";
}

inline void PrintTo(const SavedPlace& p, std::ostream* os) {
  *os << "SavedPlace{\"" << p.caption << "\", \"" << p.winClass << "\", " << p.bounds.x << ", " << p.bounds.y
      << ", " << p.bounds.width << " x " << p.bounds.height << "}";
}
inline void PrintTo(PictureKind k, std::ostream* os) {
  *os << (k == PictureKind::Bitmap ? "Bitmap" : k == PictureKind::Jpeg ? "Jpeg" : "None");
}

inline void PrintTo(BitmapFileCheck c, std::ostream* os) {
  const char* names[] = {"Usable", "NotABitmap", "BadSize", "Truncated"};
  *os << names[static_cast<int>(c)];
}

inline void PrintTo(JpegDecode d, std::ostream* os) { *os << ToString(d); }

inline void PrintTo(ShowMode m, std::ostream* os) { *os << (m == ShowMode::ByChord ? "ByChord" : "FromTray"); }

}  // namespace navigator

namespace scroller {

inline void PrintTo(const Step& s, std::ostream* os) { *os << "Step{" << s.dx << ", " << s.dy << "}"; }

inline void PrintTo(ChordAction a, std::ostream* os) {
  *os << (a == ChordAction::GoOn ? "GoOn" : a == ChordAction::ShowNavigator ? "ShowNavigator" : "HideNavigator");
}

inline void PrintTo(ReadStatus s, std::ostream* os) {
  *os << (s == ReadStatus::Ok ? "Ok" : s == ReadStatus::Missing ? "Missing" : "WrongType");
}

inline void PrintTo(const LayoutReadError& e, std::ostream* os) {
  *os << "LayoutReadError{\"" << e.valueName << "\", ";
  PrintTo(e.status, os);
  *os << "}";
}

inline void PrintTo(const RememberedSize& r, std::ostream* os) {
  *os << "RememberedSize{\"" << r.windowClass << "\", " << core::packedWidth(r.size) << " x "
      << core::packedHeight(r.size) << "}";
}

}  // namespace scroller

namespace hooklib {

inline void PrintTo(const SizeAnswer& a, std::ostream* os) {
  const char* kind = a.kind == SizeAnswerKind::Forced         ? "Forced"
                     : a.kind == SizeAnswerKind::StopTracking ? "StopTracking"
                                                              : "NoForcedSize";
  *os << kind << "{" << a.size.width << " x " << a.size.height << "}";
}

inline void PrintTo(CandidateVerdict v, std::ostream* os) { *os << ToString(v); }

}  // namespace hooklib

namespace app {

inline void PrintTo(const PlatformSwitches& s, std::ostream* os) {
  *os << "PlatformSwitches{" << (s.isWin8 ? "Win8" : "before Win8") << ", " << (s.isWin10 ? "Win10" : "before Win10")
      << "}";
}

}  // namespace app
