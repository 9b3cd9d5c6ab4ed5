#include "forms/control_panel_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "forms/help_texts.h"

namespace {

using tk::ComponentDescription;
using tk::ComponentKind;

// The page control's display area at 144 DPI: its size less the tab strip and the borders.
constexpr int kSheetWidth = 943;
constexpr int kSheetHeight = 682;

const tk::FormDescription& Form() { return forms::ControlPanelForm(); }

const ComponentDescription* Find(std::string_view name) {
  for (const auto& c : Form().components) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

const ComponentDescription& Get(std::string_view name) {
  const ComponentDescription* c = Find(name);
  if (!c) throw std::runtime_error("no component " + std::string(name));
  return *c;
}

TEST(ControlPanelForm, TheWindow) {
  const auto& f = Form();
  EXPECT_STREQ(f.caption, "Tavelmoor ControlPanel");
  EXPECT_EQ(f.clientWidth, 951);
  EXPECT_EQ(f.clientHeight, 730);
  EXPECT_TRUE(f.fixedBorder && f.topmost && f.centred && f.visible);
  EXPECT_FALSE(f.minimizeBox || f.maximizeBox);
  EXPECT_STREQ(f.fontName, "Tahoma");
  EXPECT_EQ(f.fontHeight, 24);

  const auto& pages = Get("PageControl1");
  EXPECT_EQ(pages.itemIndex, 0);
  std::vector<std::string> sheets;
  for (const auto& c : f.components) {
    if (c.kind == ComponentKind::TabSheet) sheets.push_back(std::string(c.name) + "=" + c.caption);
  }
  EXPECT_EQ(sheets, (std::vector<std::string>{"OptionSheet=Options", "HelpSheet=Help",
                                              "WindowsSheet=Scrolling Windows"}));
}

TEST(ControlPanelForm, NamesAreUniqueAndParentsAreContainers) {
  std::set<std::string> names;
  for (const auto& c : Form().components) {
    EXPECT_NE(std::string(c.name), "");
    EXPECT_TRUE(names.insert(c.name).second) << "duplicate " << c.name;
  }
  for (const auto& c : Form().components) {
    if (std::string(c.parent).empty()) continue;
    const ComponentDescription* parent = Find(c.parent);
    ASSERT_NE(parent, nullptr) << c.name << " has no parent " << c.parent;
    EXPECT_TRUE(parent->kind == ComponentKind::TabSheet || parent->kind == ComponentKind::PageControl) << c.name;
    EXPECT_EQ(c.kind == ComponentKind::TabSheet, parent->kind == ComponentKind::PageControl) << c.name;
  }
}

TEST(ControlPanelForm, EveryControlLiesWithinItsParentAndNoneOverlap) {
  std::map<std::string, std::vector<const ComponentDescription*>> byParent;
  for (const auto& c : Form().components) {
    if (c.kind == ComponentKind::TabSheet) continue;  // laid out by the page control
    byParent[c.parent].push_back(&c);
  }
  for (const auto& [parent, children] : byParent) {
    const bool isForm = parent.empty();
    const int width = isForm ? Form().clientWidth : kSheetWidth;
    const int height = isForm ? Form().clientHeight : kSheetHeight;
    for (const auto* c : children) {
      EXPECT_GT(c->width, 0) << c->name;
      EXPECT_GT(c->height, 0) << c->name;
      EXPECT_GE(c->left, 0) << c->name;
      EXPECT_GE(c->top, 0) << c->name;
      EXPECT_LE(c->left + c->width, width) << c->name;
      EXPECT_LE(c->top + c->height, height) << c->name;
    }
    for (size_t i = 0; i < children.size(); ++i) {
      for (size_t j = i + 1; j < children.size(); ++j) {
        const auto& a = *children[i];
        const auto& b = *children[j];
        const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                           a.top + a.height <= b.top || b.top + b.height <= a.top;
        EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
      }
    }
  }
}

TEST(ControlPanelForm, OptionCheckBoxes) {
  struct Case {
    const char* name;
    int left, top;
    const char* caption;
    const char* hint;
    bool checked;
  };
  const Case cases[] = {
      {"AutoScrollCheckBox", 27, 162, "Enable auto scrolling when a window is activated.    ",
       "Scrolls to a window when it is visible for less then 25%.", true},
      {"AutoCenterCheckBox", 52, 195, "Center window on primary display when activated.    ", "", false},
      {"ShiftCheckBox", 27, 228, "Enable 'Shift+Ctrl' and 'Ctrl+Alt' scrolling.    ",
       "For always scrolling and one page at a time.", true},
      {"CaptureCheckBox", 27, 261, "Show real window look on the navigation panel.    ",
       "Make screen captures of windows.", false},
      {"ArrangeCheckBox", 27, 294, "Auto arrange windows next to each other.    ",
       "Keep main windows next to each other.", false},
      {"InMenuCheckBox", 27, 327, "Do not scroll when opening a menu or when a maximized window is active.    ",
       "Stop scrolling in these circumstances.", false},
      {"UseKeysCheckBox", 27, 360, "UseCtrl + Shift + A, W, S, Z for scrolling.    ",
       "For scrolling using the keyboard.", false},
      {"SuperCheckBox", 27, 393, "Always scroll desktop when moving the mouse.    ", "Cuts mouse distances in half.",
       false},
      {"BackgroundCheckBox", 27, 426, "Set background wallpaper for overview.    ",
       "For the popup navigation panel.", false},
      {"LimitCheckBox", 27, 459, "Limit the virtual desktop size to the space used by your windows.    ",
       "Prevents getting lost in space.", false},
      {"CheckBoxBorderScroll", 27, 492,
       "Enable scrolling for virtual machines, touch screen computers and KVM software.   ",
       "Scroll when the cursor is within 8 pixels of the screen border.", false},
      {"CheckBoxSmallScreen", 27, 525, "Display a small navigation screen.    ",
       "Display a small navigation Screen instead of a full screen.", false},
      {"DoMoveXCheckBox", 27, 558, "Enable scrolling in horizontal direction.    ",
       "Extend desktop in horizontal direction.", true},
      {"DoMoveYCheckBox", 27, 591, "Enable scrolling in vertical direction.    ",
       "Extend desktop in vertical direction.", false},
      {"ReverseCheckBox", 27, 624, "Reverse the Scrolling direction.    ",
       "Choice between scan and pan and touch screen scrolling", false},
  };
  for (const auto& c : cases) {
    const auto& d = Get(c.name);
    EXPECT_EQ(d.kind, ComponentKind::CheckBox) << c.name;
    EXPECT_STREQ(d.parent, "OptionSheet") << c.name;
    EXPECT_EQ(d.left, c.left) << c.name;
    EXPECT_EQ(d.top, c.top) << c.name;
    EXPECT_EQ(d.height, 33) << c.name;
    EXPECT_STREQ(d.caption, c.caption) << c.name;
    EXPECT_STREQ(d.hint, c.hint) << c.name;
    EXPECT_EQ(d.checked, c.checked) << c.name;
  }
}

TEST(ControlPanelForm, TrackBarRowsAndTheirLabels) {
  struct Case {
    const char* bar;
    int top;
    tk::TrackBarRange range;
    const char* hint;
    const char* leftLabel;
    int leftLabelX;
    const char* leftCaption;
    const char* rightLabel;
    const char* rightCaption;
  };
  const Case cases[] = {
      {"ScrollSpeedBar", 9, {.min = 4, .max = 9, .position = 6, .lineSize = 1, .pageSize = 1, .frequency = 1},
       "How fast the mouse is accelerating.", "Speedlabel1", 27, "Fast scroll speed", "SpeedLabel2",
       "Slow scroll speed"},
      {"RefreshRateBar", 57,
       {.min = 30, .max = 150, .position = 60, .lineSize = 15, .pageSize = 15, .frequency = 15},
       "How often the windows are moved.", "Label5", 27, "Fast refresh rate", "Label6", "Slow refresh rate"},
      {"StickyTrackBar", 104, {.min = 0, .max = 48, .position = 8, .lineSize = 1, .pageSize = 8, .frequency = 4},
       "Prevents scrolling when briefly hitting the edge.", "Label13", 30, "No sticky scrolling", "Label14",
       "Sticky scrolling"},
  };
  for (const auto& c : cases) {
    const auto& bar = Get(c.bar);
    EXPECT_EQ(bar.kind, ComponentKind::TrackBar) << c.bar;
    EXPECT_EQ(bar.left, 252) << c.bar;
    EXPECT_EQ(bar.width, 327) << c.bar;
    EXPECT_EQ(bar.top, c.top) << c.bar;
    EXPECT_STREQ(bar.hint, c.hint) << c.bar;
    const auto& r = bar.range;
    EXPECT_EQ(r.min, c.range.min) << c.bar;
    EXPECT_EQ(r.max, c.range.max) << c.bar;
    EXPECT_EQ(r.position, c.range.position) << c.bar;
    EXPECT_EQ(r.lineSize, c.range.lineSize) << c.bar;
    EXPECT_EQ(r.pageSize, c.range.pageSize) << c.bar;
    EXPECT_EQ(r.frequency, c.range.frequency) << c.bar;

    const auto& left = Get(c.leftLabel);
    const auto& right = Get(c.rightLabel);
    EXPECT_EQ(left.left, c.leftLabelX) << c.leftLabel;
    EXPECT_EQ(right.left, 616) << c.rightLabel;
    for (const auto* label : {&left, &right}) {
      EXPECT_EQ(label->kind, ComponentKind::Label) << label->name;
      EXPECT_EQ(label->top, c.top) << label->name;
      EXPECT_STREQ(label->hint, c.hint) << label->name;
    }
    EXPECT_STREQ(left.caption, c.leftCaption);
    EXPECT_STREQ(right.caption, c.rightCaption);
  }
}

std::vector<std::string> TabOrderOf(std::string_view parent) {
  std::vector<const ComponentDescription*> stops;
  for (const auto& c : Form().components) {
    if (parent == c.parent && c.tabOrder >= 0) stops.push_back(&c);
  }
  std::sort(stops.begin(), stops.end(), [](auto* a, auto* b) { return a->tabOrder < b->tabOrder; });
  std::vector<std::string> names;
  for (size_t i = 0; i < stops.size(); ++i) {
    EXPECT_EQ(stops[i]->tabOrder, static_cast<int>(i)) << "tab orders of " << parent << " not 0..n-1";
    names.push_back(stops[i]->name);
  }
  return names;
}

TEST(ControlPanelForm, TabOrder) {
  EXPECT_EQ(TabOrderOf("OptionSheet"),
            (std::vector<std::string>{"ScrollSpeedBar", "RefreshRateBar", "SuperCheckBox", "StickyTrackBar",
                                      "UseKeysCheckBox", "InMenuCheckBox", "CaptureCheckBox", "ArrangeCheckBox",
                                      "BackgroundCheckBox", "DoMoveXCheckBox", "DoMoveYCheckBox", "LimitCheckBox",
                                      "ShiftCheckBox", "AutoScrollCheckBox", "CheckBoxBorderScroll",
                                      "CheckBoxSmallScreen", "AutoCenterCheckBox", "ReverseCheckBox"}));
  EXPECT_EQ(TabOrderOf("HelpSheet"), (std::vector<std::string>{"ComboBoxHelp"}));
  EXPECT_EQ(TabOrderOf("WindowsSheet"),
            (std::vector<std::string>{"ScrollingListBox", "SetScrolling", "SetNonScrolling", "NonScrollingListBox",
                                      "CheckBox64ext"}));
  // Labels take no tab stop.
  for (const auto& c : Form().components) {
    if (c.kind == ComponentKind::Label) {
      EXPECT_EQ(c.tabOrder, -1) << c.name;
    }
  }
}

TEST(ControlPanelForm, HelpTab) {
  const auto& combo = Get("ComboBoxHelp");
  EXPECT_EQ(combo.kind, ComponentKind::ComboBox);
  EXPECT_EQ(combo.left, 219);
  EXPECT_EQ(combo.top, 74);
  EXPECT_EQ(combo.width, 338);
  EXPECT_TRUE(combo.editable);
  EXPECT_EQ(combo.itemIndex, 0);
  EXPECT_EQ(std::vector<std::string>(combo.items.begin(), combo.items.end()),
            (std::vector<std::string>{"Introduction", "Bigger windows", "More functions", "Desktop overview",
                                      "Limitations", "Contact"}));

  const auto& help = Get("LabelHelp");
  EXPECT_EQ(help.kind, ComponentKind::Label);
  EXPECT_EQ((std::vector<int>{help.left, help.top, help.width, help.height}), (std::vector<int>{12, 112, 914, 566}));
  EXPECT_TRUE(help.wordWrap);

  EXPECT_STREQ(Get("Label20").caption, "select help topic:");
  EXPECT_EQ(Get("Label19").top, 36);
  EXPECT_EQ(Get("Label20").top, 76);
  const std::string welcome = Get("Label18").caption;
  EXPECT_NE(welcome.find("Tavelmoor"), std::string::npos);
  EXPECT_NE(welcome.find("1.0"), std::string::npos);
  EXPECT_STRNE(Get("Label19").caption, "");
}

TEST(ControlPanelForm, HelpTextsAreLinesJoinedByCrLfThatFitTheLabel) {
  constexpr size_t kMaxLineLength = 80;
  constexpr size_t kMaxLines = 19;  // 566 px at 29 px a line
  for (int i = 0; i < forms::kHelpTopicCount; ++i) {
    const char* text = forms::HelpText(i);
    ASSERT_NE(text, nullptr) << i;
    const std::string t = text;
    ASSERT_FALSE(t.empty()) << i;
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = t.find("\r\n", start)) != std::string::npos; start = at + 2) {
      lines.push_back(t.substr(start, at - start));
    }
    lines.push_back(t.substr(start));
    EXPECT_LE(lines.size(), kMaxLines) << "text " << i;
    EXPECT_FALSE(lines.back().empty()) << "text " << i << " ends in a line break";
    for (const auto& line : lines) {
      EXPECT_LE(line.size(), kMaxLineLength) << "text " << i << ": " << line;
      EXPECT_EQ(line.find_first_of("\r\n\t"), std::string::npos) << "text " << i << ": bare break in " << line;
    }
  }
  EXPECT_NE(std::string(forms::HelpText(5)).find('@'), std::string::npos);  // the maker's mail address
  for (int outside : {-1, 6, 1000}) EXPECT_EQ(forms::HelpText(outside), nullptr) << outside;
}

TEST(ControlPanelForm, ScrollingWindowsTab) {
  struct Case {
    const char* name;
    ComponentKind kind;
    int left, top, width, height;
    const char* caption;
  };
  const Case cases[] = {
      {"Label15", ComponentKind::Label, 12, 12, 186, 29, "Scrolling windows"},
      {"Label16", ComponentKind::Label, 494, 12, 306, 29, "Non scrolling window classes"},
      {"ScrollingListBox", ComponentKind::ListBox, 9, 48, 442, 578, ""},
      {"NonScrollingListBox", ComponentKind::ListBox, 494, 48, 434, 578, ""},
      {"SetScrolling", ComponentKind::Button, 460, 62, 24, 206, "<"},
      {"SetNonScrolling", ComponentKind::Button, 460, 276, 24, 195, ">"},
      {"CheckBox64ext", ComponentKind::CheckBox, 4, 634, 829, 33,
       "Load 64bit extention for making 64bit windows bigger than your screen.    "},
  };
  for (const auto& c : cases) {
    const auto& d = Get(c.name);
    EXPECT_STREQ(d.parent, "WindowsSheet") << c.name;
    EXPECT_EQ(d.kind, c.kind) << c.name;
    EXPECT_EQ((std::vector<int>{d.left, d.top, d.height}), (std::vector<int>{c.left, c.top, c.height})) << c.name;
    // A label is as wide as its text needs, at least the width it was designed with.
    if (c.kind == ComponentKind::Label) {
      EXPECT_GE(d.width, c.width) << c.name;
    } else {
      EXPECT_EQ(d.width, c.width) << c.name;
    }
    EXPECT_STREQ(d.caption, c.caption) << c.name;
  }
  EXPECT_EQ(Get("ScrollingListBox").horizontalExtent, 720);
  EXPECT_EQ(Get("NonScrollingListBox").horizontalExtent, 0);
}

}  // namespace
