#pragma once
// The mouse handling's platform calls, and the navigator window's mouse messages turned into
// the overview's presses, moves, releases and wheel turns.
#include <windows.h>

#include <functional>

#include "navigator/overview_mouse.h"

namespace navigator {

class Win32MouseSeam final : public MouseSeam {
 public:
  explicit Win32MouseSeam(std::function<void()> hideNavigator) : hide_(std::move(hideNavigator)) {}
  core::Point CursorPos() override;
  bool IsZoomed(WindowHandle window) override;
  void RestoreNoActivate(WindowHandle window) override;
  std::optional<core::Rect> VisibleRect(WindowHandle window) override;
  void SetForeground(WindowHandle window) override;
  void HideNavigator() override;

 private:
  std::function<void()> hide_;
};

// What a mouse message of the navigator window is to the overview.
enum class MouseEvent { None, Down, Move, Up, Wheel };
struct MouseMessage {
  MouseEvent event = MouseEvent::None;
  MouseButton button = MouseButton::Other;
  core::Point at;       // client coordinates (Down)
  int32_t wheelDelta = 0;
};
MouseMessage ReadMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace navigator
