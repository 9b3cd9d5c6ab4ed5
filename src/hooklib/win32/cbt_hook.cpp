// The WH_CBT hook procedure, run in every hooked process on the thread that raises the event.
// Other programs' CBT hooks come after ours in the chain: the next hook is always called, first,
// whatever we know of our own hook handle, and its answer is ours, so nothing is ever vetoed here.
#include <atomic>

#include "hook_life.h"
#include "hook_state.h"
#include "peers.h"
#include "platform/handles.h"
#include "subclasses.h"

namespace hooklib {
namespace {

std::atomic<bool> g_startedUp{false};

void AddIfCandidate(HWND window) {
  if (window && IsSubclassCandidate(window)) AddSubclass(window);
}

void OnMoveSize(HWND window, LPARAM lParam) {
  // A call still on its way when the last hook went asks nothing.
  if (!TieForHookCall()) return;
  AddIfCandidate(window);
  const SizeAnswer size = AskForcedSize(window);
  if (size.kind == SizeAnswerKind::StopTracking) {
    RemoveSubclassAndReport(window);
    return;
  }
  auto* rect = reinterpret_cast<RECT*>(lParam);
  if (size.kind != SizeAnswerKind::Forced || !rect) return;
  const core::Rect out = ApplyForcedSize(platform::ToRect(*rect), size);
  rect->right = out.right;
  rect->bottom = out.bottom;
}

}  // namespace

LRESULT CALLBACK CbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
  // The library's start-up look-up runs here, in the first hook call, never inside DllMain.
  FindPeerWindows(!g_startedUp.exchange(true, std::memory_order_acq_rel));
  const LRESULT result = CallNextHookEx(HookHandleForChain(), code, wParam, lParam);
  if (code < 0) return result;

  HWND window = reinterpret_cast<HWND>(wParam);
  switch (code) {
    case HCBT_MOVESIZE:
      OnMoveSize(window, lParam);
      break;
    case HCBT_MINMAX:
    case HCBT_CREATEWND:
    case HCBT_ACTIVATE:
    case HCBT_SETFOCUS:
      AddIfCandidate(window);
      break;
    case HCBT_DESTROYWND:
      RemoveSubclassAndReport(window);
      break;
    default:
      break;
  }
  return result;
}

}  // namespace hooklib
