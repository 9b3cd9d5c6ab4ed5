#include "scroller/win32/window_lists_tab.h"

#include <algorithm>
#include <string>

#include "scroller/win32/scroll_engine.h"
#include "toolkit/form.h"
#include "toolkit/page_control.h"
#include "toolkit/standard_controls.h"

namespace scroller {
namespace {

tk::TListBox& ScrollingList(tk::TForm& panel) { return panel.Get<tk::TListBox>("ScrollingListBox"); }
tk::TListBox& NonScrollingList(tk::TForm& panel) { return panel.Get<tk::TListBox>("NonScrollingListBox"); }

}  // namespace

WindowListsTab::WindowListsTab(tk::TForm& panel, ScrollEngine& engine, core::SettingsChanges& changes)
    : panel_(panel), engine_(engine), changes_(changes) {
  panel.Get<tk::TTabSheet>("WindowsSheet").OnShow = [this] { WindowsSheetShow(); };
  panel.Get<tk::TPageControl>("PageControl1").OnChange = [this] { PanelShown(); };
  ScrollingList(panel).OnDblClick = [this] { MakeChosenWindowNonScrolling(); };
  NonScrollingList(panel).OnDblClick = [this] { MakeChosenClassScrolling(); };
  panel.Get<tk::TButton>("SetNonScrolling").OnClick = [this] { MakeChosenWindowNonScrolling(); };
  panel.Get<tk::TButton>("SetScrolling").OnClick = [this] { MakeChosenClassScrolling(); };
}

void WindowListsTab::ClearScrollingList() {
  ScrollingList(panel_).Clear();
  shownRows_.clear();
}

void WindowListsTab::FillScrollingList() {
  ClearScrollingList();
  tk::TListBox& list = ScrollingList(panel_);
  const ScrollLists& lists = engine_.Lists();
  const std::size_t count = std::min(lists.Handles.size(), lists.Texts.size());
  for (std::size_t i = 0; i < count; ++i) {
    list.Add(lists.Texts[i]);
    shownRows_.push_back({lists.Handles[i], engine_.LastScan().ClassOf(lists.Handles[i])});
  }
}

void WindowListsTab::WindowsSheetShow() {
  FillScrollingList();
  shownListCount_ = engine_.Lists().Texts.size();
}

void WindowListsTab::PanelShown() {
  ClearScrollingList();
  shownListCount_ = 0;
}

void WindowListsTab::AfterScan(bool panelVisible) {
  const std::size_t listed = engine_.Lists().Texts.size();
  if (RefillAfterScan(panelVisible, listed, shownListCount_)) FillScrollingList();
  shownListCount_ = listed;
}

void WindowListsTab::ShowNonScrollingClasses() {
  tk::TListBox& box = NonScrollingList(panel_);
  box.Clear();
  for (const std::string& windowClass : engine_.NonScrollingClasses()) box.Add(windowClass);
}

void WindowListsTab::MakeChosenWindowNonScrolling() {
  std::vector<std::string>& classes = engine_.NonScrollingClasses();
  const auto className = ClassToMakeNonScrolling(shownRows_, ScrollingList(panel_).ItemIndex(), classes);
  if (!className) return;
  // Cleared now; the next scan tick refills it, without the windows of this class.
  ClearScrollingList();
  classes.push_back(*className);
  NonScrollingList(panel_).Add(*className);
  changes_.Mark();
}

void WindowListsTab::MakeChosenClassScrolling() {
  std::vector<std::string>& classes = engine_.NonScrollingClasses();
  const int chosen = NonScrollingList(panel_).ItemIndex();
  if (chosen >= 0 && static_cast<std::size_t>(chosen) < classes.size()) {
    classes.erase(classes.begin() + chosen);
    ShowNonScrollingClasses();
  }
  changes_.Mark();
  PanelShown();
}

}  // namespace scroller
