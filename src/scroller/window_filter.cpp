#include "scroller/window_filter.h"

#include "core/text.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace scroller {
namespace {

constexpr std::array<const char*, 16> kFixedClasses = {
    "Shell_TrayWnd",        "Shell_SecondaryTrayWnd",  "Progman",
    "Desktop User Picture", "DV2ControlHost",          "Button",
    "CV2ControlHost",       "TTavelmoorForm",          "SysDragImage",
    "Xaml_WindowedPopupClass", "THintWindow",          "SysShadow",
    "Winamp v1.x",          "Sticky_Notes_Note_Adornment", "Sticky_Notes_Note_Window",
    "wndclass NumLock OSD",
};

// Menus hold scrolling back, but they still go through the remaining rules.
constexpr std::array<const char*, 3> kMenuClasses = {"#32768", "BaseBar", "CV2ControlHost"};

constexpr int64_t kMinScrollingExtent = 4;

bool Contains(std::span<const WindowHandle> list, WindowHandle w) {
  return std::find(list.begin(), list.end(), w) != list.end();
}

template <std::size_t N>
bool IsOneOf(const std::string& name, const std::array<const char*, N>& names) {
  return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}


int64_t Abs64(int64_t v) { return v < 0 ? -v : v; }

// A maximized window counts only while its client area lies on the virtual screen (one pixel of
// slack each side); one scrolled away no longer holds scrolling back.
bool MaximizedOnScreen(const WindowInfoFacts& info, const core::Rect& screen) {
  if ((info.style & kStyleMaximize) == 0) return false;
  const core::Rect& c = info.client;
  return int64_t{c.left} >= int64_t{screen.left} - 1 && int64_t{c.top} >= int64_t{screen.top} - 1 &&
         int64_t{c.right} <= int64_t{screen.right} + 1 &&
         int64_t{c.bottom} <= int64_t{screen.bottom} + 1;
}

}  // namespace

std::span<const char* const> FixedNonScrollingClasses() { return kFixedClasses; }

bool SameClassIgnoringCase(const std::string& a, const std::string& b) { return core::EqualsIgnoringCase(a, b); }

std::string ScrollListText(const std::string& className, const std::string& title) {
  return className + " (" + title + ")";
}

ScanDecision DecideScan(WindowFacts& facts, const ScanContext& ctx) {
  ScanDecision d;
  auto leave = [&d](ScanVerdict v) {
    d.verdict = v;
    return d;
  };
  const WindowHandle w = facts.Handle();

  const std::optional<WindowInfoFacts> info = facts.Info();
  if (!info) return leave(ScanVerdict::NoWindowInfo);
  if ((info->style & kStyleVisible) == 0) return leave(ScanVerdict::Invisible);
  if ((info->style & kStyleMinimize) != 0) return leave(ScanVerdict::Minimized);
  // A failing cloaked query must not hide every window: it counts as not cloaked.
  if (ctx.cloakTestOn && facts.Cloaked().value_or(false)) return leave(ScanVerdict::Cloaked);

  d.className = facts.ClassName();
  if (IsOneOf(d.className, kMenuClasses)) d.menuOrMaximized = true;
  d.title = facts.Title();

  const std::optional<core::Rect> frame = facts.VisibleFrame();
  if (!frame) return leave(ScanVerdict::NoVisibleFrame);
  d.frame = *frame;
  if (Abs64(frame->width()) < kMinScrollingExtent || Abs64(frame->height()) < kMinScrollingExtent) {
    return leave(ScanVerdict::TooSmall);
  }

  if (Contains(ctx.scrollList, w)) return leave(ScanVerdict::AlreadyListed);
  if (Contains(ctx.excludedWindows, w)) return leave(ScanVerdict::Excluded);
  if (std::any_of(ctx.nonScrollingClasses.begin(), ctx.nonScrollingClasses.end(),
                  [&](const std::string& c) { return SameClassIgnoringCase(c, d.className); })) {
    return leave(ScanVerdict::UserNonScrolling);
  }
  if (w == ctx.shellWnd || w == ctx.desktopWnd) return leave(ScanVerdict::ShellOrDesktop);
  if (IsOneOf(d.className, kFixedClasses)) return leave(ScanVerdict::FixedClass);
  if (w == ctx.controlPanel) return leave(ScanVerdict::ControlPanel);
  // Our own message boxes and dialogs have system classes; they must never scroll away.
  if (facts.OwnedByThisProcess()) return leave(ScanVerdict::OwnProcess);
  if (!facts.OnCurrentVirtualDesktop()) return leave(ScanVerdict::OtherVirtualDesktop);
  if (d.title.empty()) return leave(ScanVerdict::EmptyTitle);

  if (MaximizedOnScreen(*info, ctx.virtualScreen)) d.menuOrMaximized = true;
  return leave(w == ctx.moveSizeWnd && w != 0 ? ScanVerdict::NavigatorOnly : ScanVerdict::Scrolls);
}

ExitDecision DecideExitScan(ExitScanWindow& window, const ExitScanContext& ctx) {
  ExitDecision d;
  auto leave = [&d](ExitVerdict v) {
    d.verdict = v;
    return d;
  };
  const WindowHandle w = window.Handle();

  const std::optional<WindowInfoFacts> info = window.Info();
  if (!info) return leave(ExitVerdict::NoWindowInfo);
  if ((info->style & kStyleVisible) == 0) return leave(ExitVerdict::Invisible);
  // Restored before any other rule, so that no minimized window is left behind off screen.
  if ((info->style & kStyleMinimize) != 0) {
    window.RestoreMinimized();
    d.restored = true;
  }
  if (window.ClassName() == "Shell_SecondaryTrayWnd") return leave(ExitVerdict::SecondaryTaskbar);

  const std::optional<core::Rect> frame = window.VisibleFrame();
  if (!frame) return leave(ExitVerdict::NoVisibleFrame);
  if (w == ctx.controlPanel) return leave(ExitVerdict::ControlPanel);
  if (frame->left == frame->right || frame->top == frame->bottom) return leave(ExitVerdict::NoArea);
  if (Contains(ctx.excludedWindows, w)) return leave(ExitVerdict::Excluded);
  if (Contains(ctx.scrollList, w)) return leave(ExitVerdict::AlreadyListed);
  if (w == ctx.shellWnd || w == ctx.desktopWnd || (w != 0 && w == ctx.moveSizeWnd)) {
    return leave(ExitVerdict::ShellDesktopOrMoveSize);
  }
  return leave(ExitVerdict::Collect);
}

const char* ToString(ScanVerdict v) {
  switch (v) {
    case ScanVerdict::Scrolls: return "Scrolls";
    case ScanVerdict::NavigatorOnly: return "NavigatorOnly";
    case ScanVerdict::NoWindowInfo: return "NoWindowInfo";
    case ScanVerdict::Invisible: return "Invisible";
    case ScanVerdict::Minimized: return "Minimized";
    case ScanVerdict::Cloaked: return "Cloaked";
    case ScanVerdict::NoVisibleFrame: return "NoVisibleFrame";
    case ScanVerdict::TooSmall: return "TooSmall";
    case ScanVerdict::AlreadyListed: return "AlreadyListed";
    case ScanVerdict::Excluded: return "Excluded";
    case ScanVerdict::UserNonScrolling: return "UserNonScrolling";
    case ScanVerdict::ShellOrDesktop: return "ShellOrDesktop";
    case ScanVerdict::FixedClass: return "FixedClass";
    case ScanVerdict::ControlPanel: return "ControlPanel";
    case ScanVerdict::OwnProcess: return "OwnProcess";
    case ScanVerdict::OtherVirtualDesktop: return "OtherVirtualDesktop";
    case ScanVerdict::EmptyTitle: return "EmptyTitle";
  }
  return "?";
}

const char* ToString(ExitVerdict v) {
  switch (v) {
    case ExitVerdict::Collect: return "Collect";
    case ExitVerdict::NoWindowInfo: return "NoWindowInfo";
    case ExitVerdict::Invisible: return "Invisible";
    case ExitVerdict::SecondaryTaskbar: return "SecondaryTaskbar";
    case ExitVerdict::NoVisibleFrame: return "NoVisibleFrame";
    case ExitVerdict::ControlPanel: return "ControlPanel";
    case ExitVerdict::NoArea: return "NoArea";
    case ExitVerdict::Excluded: return "Excluded";
    case ExitVerdict::AlreadyListed: return "AlreadyListed";
    case ExitVerdict::ShellDesktopOrMoveSize: return "ShellDesktopOrMoveSize";
  }
  return "?";
}

}  // namespace scroller
