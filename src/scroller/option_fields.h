#pragma once
// The option fields: what the engine and the navigator read, never the controls. Each option
// control's handler copies the control into its field.
#include <cstdint>

#include "scroller/engine_state.h"

namespace scroller {

struct OptionFields {
  int32_t RefreshRate = 0;    // the move timer's interval in ms
  int32_t ScrollSpeed = 0;    // 4..9: lower accelerates sooner and steps further
  int32_t Sticky = 0;         // edge events before an edge push scrolls
  // Factors of every step, so integers 0 or 1: the axis scrolls when 1.
  int32_t DoXMove = 0;
  int32_t DoYMove = 0;
  int32_t ReverseFactor = 1;  // +1 or -1: multiplies the mouse-driven and border steps
  bool SuperMode = false;     // always-scroll: the cursor near a border scrolls without a push
  bool UseKeys = false;       // keyboard scrolling hot keys registered
  bool MenuMode = false;      // hold mouse scrolling back while a menu is open or a window is maximized
  bool DoLimit = false;       // keep the view inside the scroll room
  bool ShowGlyphs = false;    // the navigator draws screen shots of the windows
  bool AutoArrange = false;
  bool BorderScroll = false;  // the 8-pixel band at the screen's edges scrolls
  bool SmallScreen = false;   // the navigator opens as a third of the screen around the cursor
  bool AutoScroll = false;    // a newly activated window that is hard to see is scrolled into view
  bool AutoCenter = false;    // ... and always centred
  bool UseShift = false;      // the Shift+Ctrl chords (limit override, navigator) are on
};

// What the scrolling arithmetic reads of the options.
constexpr EngineOptions EngineView(const OptionFields& o) {
  EngineOptions e;
  e.ScrollSpeed = o.ScrollSpeed;
  e.Sticky = o.Sticky;
  e.DoXMove = o.DoXMove;
  e.DoYMove = o.DoYMove;
  e.ReverseFactor = o.ReverseFactor;
  e.SuperMode = o.SuperMode;
  e.UseShift = o.UseShift;
  e.DoLimit = o.DoLimit;
  e.BorderScroll = o.BorderScroll;
  return e;
}

}  // namespace scroller
