#pragma once
// Which top-level windows the scan scrolls, and which the exit scan collects to bring home.
// The decisions ask for a window's facts one at a time, cheapest first, and stop at the first
// rule that decides, so a window left out early costs no further platform queries.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/geometry.h"
#include "core/window_handle.h"

namespace scroller {

using core::WindowHandle;

// Style bits the rules look at (the Win32 values).
inline constexpr uint32_t kStyleVisible = 0x10000000u;
inline constexpr uint32_t kStyleMinimize = 0x20000000u;
inline constexpr uint32_t kStyleMaximize = 0x01000000u;

// Class names and titles are read into a 127-character buffer: at most this many arrive.
inline constexpr std::size_t kMaxNameLength = 126;

struct WindowInfoFacts {
  uint32_t style = 0;
  core::Rect client;  // screen coordinates; read only for a maximized window, the one case it is used
};

// A window's facts, gathered on demand. The Win32 side queries the platform in each getter;
// the decisions below call each getter at most once per window.
class WindowFacts {
 public:
  virtual ~WindowFacts() = default;
  virtual WindowHandle Handle() const = 0;
  // The style (and client area); nullopt when the window cannot be asked.
  virtual std::optional<WindowInfoFacts> Info() = 0;
  // The cloaked attribute; nullopt when the query fails.
  virtual std::optional<bool> Cloaked() = 0;
  virtual std::string ClassName() = 0;
  virtual std::string Title() = 0;
  // The visible frame; nullopt when it cannot be read.
  virtual std::optional<core::Rect> VisibleFrame() = 0;
  // The virtual-desktop test as the navigator decides it (off, no manager or a failing query
  // all count as on the current desktop).
  virtual bool OnCurrentVirtualDesktop() = 0;
  // The window belongs to this process (message boxes, common dialogs, ...).
  virtual bool OwnedByThisProcess() = 0;
};

// What the scan knows besides the window itself.
struct ScanContext {
  WindowHandle controlPanel = 0;
  WindowHandle shellWnd = 0;
  WindowHandle desktopWnd = 0;
  WindowHandle moveSizeWnd = 0;
  bool cloakTestOn = false;  // from Windows 8 on, with the attribute query bound
  std::span<const WindowHandle> excludedWindows;
  std::span<const WindowHandle> scrollList;  // what this scan has listed so far
  std::span<const std::string> nonScrollingClasses;  // the user's, matched ignoring case
  core::Rect virtualScreen;
};

enum class ScanVerdict {
  Scrolls,        // into the scroll list and the navigator
  NavigatorOnly,  // the window in a move or size loop: navigator entry, never scrolled
  NoWindowInfo,
  Invisible,
  Minimized,
  Cloaked,
  NoVisibleFrame,
  TooSmall,
  AlreadyListed,
  Excluded,
  UserNonScrolling,
  ShellOrDesktop,
  FixedClass,
  ControlPanel,
  OwnProcess,
  OtherVirtualDesktop,
  EmptyTitle,
};

const char* ToString(ScanVerdict v);

constexpr bool HandedToNavigator(ScanVerdict v) {
  return v == ScanVerdict::Scrolls || v == ScanVerdict::NavigatorOnly;
}

struct ScanDecision {
  ScanVerdict verdict = ScanVerdict::NoWindowInfo;
  // This window holds mouse scrolling back: a menu window, or a maximized window on the screen.
  bool menuOrMaximized = false;
  // As read, for the scroll list text and the navigator entry (valid as far as the scan got).
  std::string className;
  std::string title;
  core::Rect frame;
};

ScanDecision DecideScan(WindowFacts& facts, const ScanContext& ctx);

// The scroll list's display text: class name, " (", title, ")".
std::string ScrollListText(const std::string& className, const std::string& title);

// Classes that never scroll, compared exactly.
std::span<const char* const> FixedNonScrollingClasses();

// Case-insensitive (ASCII) comparison, as the user's class lists are matched.
bool SameClassIgnoringCase(const std::string& a, const std::string& b);

// --- The exit scan: much wider rules, and minimized windows are restored first. ---

class ExitScanWindow : public WindowFacts {
 public:
  virtual void RestoreMinimized() = 0;  // OpenIcon
};

struct ExitScanContext {
  WindowHandle controlPanel = 0;
  WindowHandle shellWnd = 0;
  WindowHandle desktopWnd = 0;
  WindowHandle moveSizeWnd = 0;
  std::span<const WindowHandle> excludedWindows;
  std::span<const WindowHandle> scrollList;
};

enum class ExitVerdict {
  Collect,
  NoWindowInfo,
  Invisible,
  SecondaryTaskbar,
  NoVisibleFrame,
  ControlPanel,
  NoArea,
  Excluded,
  AlreadyListed,
  ShellDesktopOrMoveSize,
};

const char* ToString(ExitVerdict v);

struct ExitDecision {
  ExitVerdict verdict = ExitVerdict::NoWindowInfo;
  bool restored = false;  // RestoreMinimized was called
};

ExitDecision DecideExitScan(ExitScanWindow& window, const ExitScanContext& ctx);

}  // namespace scroller
