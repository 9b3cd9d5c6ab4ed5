#pragma once
// The control panel's window procedure as a table: message number, parameters and the panel's
// state in; the effect on the engine's own state done here, and what is left for the Win32 side
// (an action), the answer and whether the inherited procedure gets the message too.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/geometry.h"
#include "core/private_messages.h"
#include "scroller/engine_state.h"

namespace scroller {

inline constexpr uint32_t kWmInput = 0x00FF;
inline constexpr uint32_t kWmHotKey = 0x0312;

// What the private messages need of the navigator form while it exists.
class NavigatorLink {
 public:
  virtual ~NavigatorLink() = default;
  virtual core::PackedSize ForcedSizeOf(WindowHandle window) = 0;
  virtual void ForgetWindow(WindowHandle window) = 0;
};

// The control panel's life cycle as the window procedure sees it.
struct PanelLife {
  bool CreationFinished = false;
  // WM_INSTANCE_EXIT arrived while the panel was still being created.
  bool ExitRemembered = false;
};

struct PanelContext {
  EngineState& engine;
  ScrollLists& lists;
  std::vector<WindowHandle>& excludedWindows;
  PanelLife& life;
  NavigatorLink* navigator = nullptr;  // null before it is created and once it is destroyed
  uintptr_t hookHandle = 0;
  // Whether a handle is still a window; without it every released window counts as gone.
  std::function<bool(WindowHandle)> windowExists;
};

enum class PanelAction {
  None,
  HandleRawInput,      // gather the facts, HandleRawMouse; the message is passed on afterwards
  HandleHotKey,        // ApplyHotKey with the id in wParam and the primary work area
  HidePanel,
  EndProgram,          // the program's end is asked for (the panel's End)
  ShowPanel,           // hide the navigator and the set-size dialog (100 ms after each), show
  RunMoveTick,         // the step is set: run the move tick at once
  MovesTaken,          // a window answered (wParam) the question with the ticket in lParam
  SyncScrollLockItem,  // give the tray's Scroll Lock item the check mark MenuScrollLockChecked
};

struct DispatchResult {
  PanelAction action = PanelAction::None;
  bool passOn = false;  // also call the inherited window procedure; its result is the answer
  intptr_t answer = 0;
};

// At most this many windows are excluded by message. A request beyond it, when none of them has
// gone to make room, is refused: the window goes on scrolling.
inline constexpr std::size_t kMaxExcludedWindows = 256;

// Drops the excluded windows that are no longer windows, so that a handle the system gives a new
// window again does not exclude that one; the refresh tick runs it before every scan.
void PruneExcludedWindows(std::vector<WindowHandle>& excluded, const std::function<bool(WindowHandle)>& exists);

// One message. Until creation has finished, private messages are answered 0, raw input, hot keys,
// scroll and show requests are ignored and an exit request is remembered; list changes
// (exclusions, releases) are kept, since they touch nothing that creation is still building.
// Once shut-down has begun, scroll, show, pause and hot-key requests are ignored.
DispatchResult DispatchPanelMessage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                    PanelContext& ctx);

// FormCreate has ended. True when an exit asked for meanwhile must end the program now.
bool FinishCreation(PanelLife& life);

// WM_SCROLL_BY's parameters: signed 32-bit pixels.
constexpr int32_t StepFromParam(uintptr_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

}  // namespace scroller
