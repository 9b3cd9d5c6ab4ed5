#pragma once
// The platform side of the move tick: what a tick reads of the desktop, and how one window is
// put in its new place.
#include <windows.h>

#include <optional>
#include <unordered_set>

#include "core/geometry.h"
#include "navigator/scroll_room.h"
#include "platform/screen_metrics.h"
#include "scroller/move_tick.h"

namespace scroller {

// The windows a run has moved are kept for its end; gone ones are dropped at every scan, and no
// more than this many are kept.
inline constexpr std::size_t kMaxMovedWindowsKept = 4096;

// The window that hears the answers to the move questions (the control panel): a question's
// callback has room for its ticket only, so the answers' way is set once, at start-up.
void SetMoveAnswerWindow(HWND window);

class Win32MoveEnvironment final : public MoveEnvironment {
 public:
  // `limits`: the fixed virtual-desktop size as the navigator holds it (read at every tick);
  // `moved`: where every window moved is recorded, for the exit.
  Win32MoveEnvironment(platform::ScreenMetricsCache& screen, const navigator::DesktopLimits* limits,
                       HWND navigatorWindow, std::unordered_set<WindowHandle>* moved)
      : screen_(screen), limits_(limits), navigator_(navigatorWindow), moved_(moved) {}

  MoveTickFacts Facts() override;
  core::Rect VirtualScreen() override;
  std::optional<core::Point> VisibleTopLeft(WindowHandle window) override;
  void MoveVisibleTo(WindowHandle window, core::Point topLeft) override;
  bool Ask(WindowHandle window, Ticket ticket) override;
  bool Hung(WindowHandle window) override;
  uint32_t NowMs() override;

 private:
  platform::ScreenMetricsCache& screen_;
  const navigator::DesktopLimits* limits_;
  HWND navigator_;
  std::unordered_set<WindowHandle>* moved_;
};

}  // namespace scroller
