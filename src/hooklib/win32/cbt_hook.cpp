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

void AddIfCandidate(HWND window, Witness tie) {
  if (window && IsSubclassCandidate(window)) AddSubclass(window, tie);
}

void OnMoveSize(HWND window, LPARAM lParam, Witness tie) {
  AddIfCandidate(window, tie);
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
  // No hook of this library is set: a call still on its way when the last one went, or a hook
  // that the platform kept after its setter was killed (Wine does), does nothing of ours.
  const Witness tie = TieForHookCall();
  if (!tie) return CallNextHookEx(HookHandleForChain(), code, wParam, lParam);
  // The library's start-up look-up runs here, in the first hook call, never inside DllMain.
  FindPeerWindows(!g_startedUp.exchange(true, std::memory_order_acq_rel));
  const LRESULT result = CallNextHookEx(HookHandleForChain(), code, wParam, lParam);
  if (code < 0) return result;

  HWND window = reinterpret_cast<HWND>(wParam);
  switch (code) {
    case HCBT_MOVESIZE:
      OnMoveSize(window, lParam, tie);
      break;
    case HCBT_MINMAX:
    case HCBT_CREATEWND:
    case HCBT_ACTIVATE:
    case HCBT_SETFOCUS:
      AddIfCandidate(window, tie);
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
