#include "control_panel_form.h"

#include "help_texts.h"

namespace forms {
namespace {

using tk::ComponentDescription;
using tk::ComponentKind;

// Controls do not size themselves: check boxes are as wide as their caption at Tahoma 24 px
// (hinted advances) plus the box, labels as their text plus a small margin.
constexpr int kCheckBoxHeight = 33;
constexpr int kLabelHeight = 29;
constexpr int kTrackBarHeight = 45;
constexpr int kTrackBarLeft = 252;
constexpr int kTrackBarWidth = 327;
constexpr int kRightLabelLeft = 616;

constexpr char kSpeedHint[] = "How fast the mouse is accelerating.";
constexpr char kRefreshHint[] = "How often the windows are moved.";
constexpr char kStickyHint[] = "Prevents scrolling when briefly hitting the edge.";

constexpr ComponentDescription Label(const char* name, const char* parent, int left, int top, int width,
                                     const char* caption, const char* hint = "") {
  return {.kind = ComponentKind::Label, .name = name, .parent = parent, .left = left, .top = top,
          .width = width, .height = kLabelHeight, .caption = caption, .hint = hint};
}

constexpr ComponentDescription Option(const char* name, int left, int top, int width, const char* caption,
                                      const char* hint, int tabOrder, bool checked) {
  return {.kind = ComponentKind::CheckBox, .name = name, .parent = "OptionSheet", .left = left, .top = top,
          .width = width, .height = kCheckBoxHeight, .caption = caption, .hint = hint, .tabOrder = tabOrder,
          .checked = checked};
}

constexpr ComponentDescription Bar(const char* name, int top, const char* hint, int tabOrder,
                                   tk::TrackBarRange range) {
  return {.kind = ComponentKind::TrackBar, .name = name, .parent = "OptionSheet", .left = kTrackBarLeft,
          .top = top, .width = kTrackBarWidth, .height = kTrackBarHeight, .hint = hint, .tabOrder = tabOrder,
          .range = range};
}

const ComponentDescription kComponents[] = {
    {.kind = ComponentKind::PageControl, .name = "PageControl1", .left = 0, .top = 0, .width = 951,
     .height = 730, .tabOrder = 0, .itemIndex = 0},
    {.kind = ComponentKind::TabSheet, .name = "OptionSheet", .parent = "PageControl1", .caption = "Options"},
    {.kind = ComponentKind::TabSheet, .name = "HelpSheet", .parent = "PageControl1", .caption = "Help"},
    {.kind = ComponentKind::TabSheet, .name = "WindowsSheet", .parent = "PageControl1",
     .caption = "Scrolling Windows"},

    // Options: three track-bar rows, each named at both ends.
    Label("Speedlabel1", "OptionSheet", 27, 9, 195, "Fast scroll speed", kSpeedHint),
    Bar("ScrollSpeedBar", 9, kSpeedHint, 0, {.min = 4, .max = 9, .position = 6, .pageSize = 1}),
    Label("SpeedLabel2", "OptionSheet", kRightLabelLeft, 9, 201, "Slow scroll speed", kSpeedHint),
    Label("Label5", "OptionSheet", 27, 57, 193, "Fast refresh rate", kRefreshHint),
    Bar("RefreshRateBar", 57, kRefreshHint, 1,
        {.min = 30, .max = 150, .position = 60, .lineSize = 15, .pageSize = 15, .frequency = 15}),
    Label("Label6", "OptionSheet", kRightLabelLeft, 57, 199, "Slow refresh rate", kRefreshHint),
    Label("Label13", "OptionSheet", 30, 104, 210, "No sticky scrolling", kStickyHint),
    Bar("StickyTrackBar", 104, kStickyHint, 3, {.min = 0, .max = 48, .position = 8, .pageSize = 8, .frequency = 4}),
    Label("Label14", "OptionSheet", kRightLabelLeft, 104, 175, "Sticky scrolling", kStickyHint),

    // The check boxes in visual order; the keyboard order differs.
    Option("AutoScrollCheckBox", 27, 162, 616, "Enable auto scrolling when a window is activated.    ",
           "Scrolls to a window when it is visible for less then 25%.", 13, true),
    Option("AutoCenterCheckBox", 52, 195, 623, "Center window on primary display when activated.    ", "", 16,
           false),
    Option("ShiftCheckBox", 27, 228, 528, "Enable 'Shift+Ctrl' and 'Ctrl+Alt' scrolling.    ",
           "For always scrolling and one page at a time.", 12, true),
    Option("CaptureCheckBox", 27, 261, 596, "Show real window look on the navigation panel.    ",
           "Make screen captures of windows.", 6, false),
    Option("ArrangeCheckBox", 27, 294, 532, "Auto arrange windows next to each other.    ",
           "Keep main windows next to each other.", 7, false),
    Option("InMenuCheckBox", 27, 327, 901,
           "Do not scroll when opening a menu or when a maximized window is active.    ",
           "Stop scrolling in these circumstances.", 5, false),
    Option("UseKeysCheckBox", 27, 360, 520, "UseCtrl + Shift + A, W, S, Z for scrolling.    ",
           "For scrolling using the keyboard.", 4, false),
    Option("SuperCheckBox", 27, 393, 587, "Always scroll desktop when moving the mouse.    ",
           "Cuts mouse distances in half.", 2, false),
    Option("BackgroundCheckBox", 27, 426, 502, "Set background wallpaper for overview.    ",
           "For the popup navigation panel.", 8, false),
    Option("LimitCheckBox", 27, 459, 789, "Limit the virtual desktop size to the space used by your windows.    ",
           "Prevents getting lost in space.", 11, false),
    // The widest caption: its box ends where its trailing blanks would, at the sheet's edge.
    Option("CheckBoxBorderScroll", 27, 492, 910,
           "Enable scrolling for virtual machines, touch screen computers and KVM software.   ",
           "Scroll when the cursor is within 8 pixels of the screen border.", 14, false),
    Option("CheckBoxSmallScreen", 27, 525, 438, "Display a small navigation screen.    ",
           "Display a small navigation Screen instead of a full screen.", 15, false),
    Option("DoMoveXCheckBox", 27, 558, 495, "Enable scrolling in horizontal direction.    ",
           "Extend desktop in horizontal direction.", 9, true),
    Option("DoMoveYCheckBox", 27, 591, 465, "Enable scrolling in vertical direction.    ",
           "Extend desktop in vertical direction.", 10, false),
    Option("ReverseCheckBox", 27, 624, 408, "Reverse the Scrolling direction.    ",
           "Choice between scan and pan and touch screen scrolling", 17, false),

    // Help. The welcome line sits at the sheet's top edge rather than 2 px above it, where it would
    // be clipped.
    Label("Label18", "HelpSheet", 12, 0, 596, kWelcomeLine),
    Label("Label19", "HelpSheet", 12, 36, 696, kMakerNotice),
    Label("Label20", "HelpSheet", 12, 76, 201, "select help topic:"),
    {.kind = ComponentKind::ComboBox, .name = "ComboBoxHelp", .parent = "HelpSheet", .left = 219, .top = 74,
     .width = 338, .height = 36, .tabOrder = 0, .items = kHelpTopics, .itemIndex = 0, .editable = true},
    {.kind = ComponentKind::Label, .name = "LabelHelp", .parent = "HelpSheet", .left = 12, .top = 112,
     .width = 914, .height = 566, .wordWrap = true},

    // Scrolling Windows.
    Label("Label15", "WindowsSheet", 12, 12, 208, "Scrolling windows"),
    Label("Label16", "WindowsSheet", 494, 12, 331, "Non scrolling window classes"),
    {.kind = ComponentKind::ListBox, .name = "ScrollingListBox", .parent = "WindowsSheet", .left = 9, .top = 48,
     .width = 442, .height = 578, .tabOrder = 0, .horizontalExtent = 720},
    {.kind = ComponentKind::Button, .name = "SetScrolling", .parent = "WindowsSheet", .left = 460, .top = 62,
     .width = 24, .height = 206, .caption = "<", .tabOrder = 1},
    {.kind = ComponentKind::Button, .name = "SetNonScrolling", .parent = "WindowsSheet", .left = 460, .top = 276,
     .width = 24, .height = 195, .caption = ">", .tabOrder = 2},
    {.kind = ComponentKind::ListBox, .name = "NonScrollingListBox", .parent = "WindowsSheet", .left = 494,
     .top = 48, .width = 434, .height = 578, .tabOrder = 3},
    {.kind = ComponentKind::CheckBox, .name = "CheckBox64ext", .parent = "WindowsSheet", .left = 4, .top = 634,
     .width = 829, .height = kCheckBoxHeight,
     .caption = "Load 64bit extention for making 64bit windows bigger than your screen.    ",
     .hint = "Load this if you want to resize 64bit programs.", .tabOrder = 4},
};

const tk::FormDescription kForm{
    .name = "TavelmoorForm",
    .caption = "Tavelmoor ControlPanel",
    .clientWidth = 951,
    .clientHeight = 730,
    .fixedBorder = true,
    .minimizeBox = false,
    .maximizeBox = false,
    .topmost = true,
    .centred = true,
    .visible = true,
    .fontName = "Tahoma",
    .fontHeight = 24,
    .components = kComponents,
};

}  // namespace

const tk::FormDescription& ControlPanelForm() { return kForm; }

}  // namespace forms
