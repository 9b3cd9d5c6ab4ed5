#pragma once
// A form as data: the window and its components, with positions designed in pixels at 144 DPI.
// The toolkit builds real windows from it; tests can check it without any windows.
#include <span>

namespace tk {

inline constexpr int kDesignDpi = 144;

enum class ComponentKind { Label, CheckBox, TrackBar, ComboBox, ListBox, Button, PageControl, TabSheet, Edit };

struct TrackBarRange {
  int min = 0;
  int max = 10;
  int position = 0;
  int lineSize = 1;
  int pageSize = 2;
  int frequency = 1;  // distance between tick marks
};

struct ComponentDescription {
  ComponentKind kind = ComponentKind::Label;
  const char* name = "";
  const char* parent = "";  // a PageControl or TabSheet by name; "" is the form itself
  // Relative to the parent's client area (a tab sheet's is the page control's display area).
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  const char* caption = "";
  const char* hint = "";   // tooltip; "" shows none
  int tabOrder = -1;       // among the parent's controls; -1 means no tab stop of its own
  bool checked = false;    // CheckBox
  TrackBarRange range{};   // TrackBar
  std::span<const char* const> items{};  // ComboBox, ListBox
  int itemIndex = -1;      // ComboBox, ListBox, PageControl (the selected page)
  bool wordWrap = false;   // Label: wraps within its fixed width and height
  bool editable = false;   // ComboBox: an edit field above the drop-down list
  int horizontalExtent = 0;  // ListBox: scrollable width in design pixels
  bool isDefault = false;    // Button: clicked by the Enter key
  bool isCancel = false;     // Button: clicked by the Escape key
};

struct FormDescription {
  const char* name = "";
  const char* caption = "";
  int clientWidth = 0;   // design pixels
  int clientHeight = 0;
  bool fixedBorder = true;   // a single frame the user cannot resize
  bool minimizeBox = false;
  bool maximizeBox = false;
  bool systemMenu = true;    // false: no window menu and no close button in the caption
  bool topmost = false;      // above every other window of the desktop
  bool centred = false;      // centred on the screen when first shown
  bool visible = false;      // shown when the message loop starts (main form only)
  bool borderless = false;   // a popup without caption or frame
  bool scaled = true;        // false: sizes are physical pixels, never rescaled for the DPI
  const char* fontName = "Tahoma";
  int fontHeight = 24;       // design pixels
  std::span<const ComponentDescription> components{};
};

}  // namespace tk
