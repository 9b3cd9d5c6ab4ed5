#include "scroller/option_table.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

#include "forms/control_panel_form.h"

namespace {

using scroller::KeptValues;
using scroller::kOptionTable;
using scroller::OptionFields;
using scroller::OptionKind;
using scroller::OptionRow;
using tk::ComponentKind;

const tk::ComponentDescription* FindComponent(std::string_view name) {
  for (const auto& c : forms::ControlPanelForm().components) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

const OptionRow& Row(std::string_view name) {
  const auto index = scroller::OptionIndex(name);
  if (!index) throw std::runtime_error("no row " + std::string(name));
  return kOptionTable[*index];
}

// The table's one default of each option is the state its control has in the form description.
TEST(OptionTable, DefaultsAndRangesAreTheFormDescriptions) {
  std::set<std::string> covered;
  for (const auto& row : kOptionTable) {
    if (!scroller::HasControl(row)) continue;
    const auto* c = FindComponent(row.control);
    ASSERT_NE(c, nullptr) << row.name << ": no control " << row.control;
    EXPECT_STREQ(c->parent, "OptionSheet") << row.control;
    covered.insert(row.control);
    if (row.kind == OptionKind::TrackBar) {
      ASSERT_EQ(c->kind, ComponentKind::TrackBar) << row.control;
      EXPECT_EQ(c->range.position, row.defaultState) << row.control;
      EXPECT_EQ(c->range.min, row.range.min) << row.control;
      EXPECT_EQ(c->range.max, row.range.max) << row.control;
    } else {
      ASSERT_EQ(c->kind, ComponentKind::CheckBox) << row.control;
      EXPECT_EQ(c->checked ? 1 : 0, row.defaultState) << row.control;
    }
  }
  // Every option control of the form has its row; the background box keeps a path, not a value.
  for (const auto& c : forms::ControlPanelForm().components) {
    const bool option = c.kind == ComponentKind::TrackBar || c.kind == ComponentKind::CheckBox;
    if (!option || std::string_view(c.parent) != "OptionSheet" || std::string_view(c.name) == "BackgroundCheckBox") {
      continue;
    }
    EXPECT_TRUE(covered.contains(c.name)) << c.name << " has no row";
  }
}

TEST(OptionTable, StoredValuesStatesAndWhatASaveWritesBack) {
  struct Case {
    const char* name;
    int32_t stored;
    int32_t state;
    int32_t written;  // for that state
  };
  const Case cases[] = {
      {"Reverse", 1, 0, 1},      {"Reverse", 0, 1, 0},     {"Reverse", 2, 1, 0},   {"Reverse", -1, 1, 0},
      {"SuperMode", 1, 1, 1},    {"SuperMode", 2, 0, 0},   {"DoXMove", 0, 0, 0},   {"x64", 1, 1, 1},
      {"x64", 7, 0, 0},          {"LimitX", -5, 0, 0},     {"LimitY", 700, 700, 700},
      {"RefreshRate", 10, 10, 10},  // the bar clamps, not the table
      {"StickyMode", 100, 100, 100},
  };
  for (const auto& c : cases) {
    const auto& row = Row(c.name);
    EXPECT_EQ(scroller::StateFromStored(row, c.stored), c.state) << c.name << " " << c.stored;
    EXPECT_EQ(scroller::StoredFromState(row, c.state), c.written) << c.name << " " << c.state;
  }
  // Not read: the Scroll Lock item's check mark is written as 0.
  EXPECT_EQ(scroller::StoredFromState(Row("SysScroll"), 1), 0);
  EXPECT_EQ(scroller::StoredFromState(Row("SysScroll"), 0), 1);
}

TEST(OptionTable, ChecksAndPositionsReachTheirFields) {
  struct Case {
    const char* name;
    int32_t state;
    int32_t OptionFields::*intField;
    bool OptionFields::*boolField;
    int32_t expected;
  };
  const Case cases[] = {
      {"Reverse", 1, &OptionFields::ReverseFactor, nullptr, -1},
      {"Reverse", 0, &OptionFields::ReverseFactor, nullptr, 1},
      {"DoXMove", 1, &OptionFields::DoXMove, nullptr, 1},
      {"DoYMove", 0, &OptionFields::DoYMove, nullptr, 0},
      {"ScrollSpeed", 9, &OptionFields::ScrollSpeed, nullptr, 9},
      {"StickyMode", 24, &OptionFields::Sticky, nullptr, 24},
      {"RefreshRate", 135, &OptionFields::RefreshRate, nullptr, 135},
      {"KeyMode", 1, nullptr, &OptionFields::UseKeys, 1},
      {"MenuMode", 1, nullptr, &OptionFields::MenuMode, 1},
  };
  for (const auto& c : cases) {
    const OptionRow& row = Row(c.name);
    OptionFields options;
    KeptValues kept;
    scroller::SetFieldState(row, c.state, options, kept);
    const int32_t got = c.intField ? options.*c.intField : (options.*c.boolField ? 1 : 0);
    EXPECT_EQ(got, c.expected) << c.name << " " << c.state;
    EXPECT_EQ(scroller::FieldState(row, options, kept), c.state) << c.name;
  }

  // Whether the field changed is what the axis handlers mark by.
  OptionFields options;  // 0 during the load
  KeptValues kept;
  EXPECT_FALSE(scroller::SetFieldState(Row("DoXMove"), 0, options, kept));
  EXPECT_TRUE(scroller::SetFieldState(Row("DoYMove"), 1, options, kept));
  EXPECT_FALSE(scroller::SetFieldState(Row("DoYMove"), 1, options, kept));
}

TEST(OptionTable, TheDefaultFieldsAreAFirstStartsOptions) {
  const OptionFields o = scroller::DefaultOptionFields();
  EXPECT_EQ(o.RefreshRate, 60);
  EXPECT_EQ(o.ScrollSpeed, 6);
  EXPECT_EQ(o.Sticky, 8);
  EXPECT_EQ(o.DoXMove, 1);
  EXPECT_EQ(o.DoYMove, 0);
  EXPECT_EQ(o.ReverseFactor, 1);
  EXPECT_TRUE(o.AutoScroll && o.UseShift);
  EXPECT_FALSE(o.SuperMode || o.UseKeys || o.MenuMode || o.DoLimit || o.ShowGlyphs || o.AutoArrange ||
               o.BorderScroll || o.SmallScreen || o.AutoCenter);
  const KeptValues k = scroller::DefaultKeptValues();
  EXPECT_EQ(k.LimitX, 0);
  EXPECT_EQ(k.LimitY, 0);
  EXPECT_FALSE(k.Load64AtShow || k.ScrollLockChecked);
}

}  // namespace
