#include "scroller/win32/window_lists_tab.h"

#include <algorithm>
#include <string>
#include <vector>

#include "scroller/win32/tavelmoor_form.h"
#include "scroller/win32/window_scan.h"
#include "scroller/window_lists.h"
#include "toolkit/page_control.h"
#include "toolkit/standard_controls.h"

namespace scroller {

std::size_t ShownListCount = 0;

namespace {

// What the left list shows, row by row: the scroll list changes at every scan and between
// scans, so a row is acted on as it was listed, never by its index into the current list.
std::vector<ListedRow> ShownRows;

tk::TListBox& ScrollingList(TTavelmoorForm& panel) { return panel.Get<tk::TListBox>("ScrollingListBox"); }
tk::TListBox& NonScrollingList(TTavelmoorForm& panel) { return panel.Get<tk::TListBox>("NonScrollingListBox"); }

void ClearScrollingList(TTavelmoorForm& panel) {
  ScrollingList(panel).Clear();
  ShownRows.clear();
}

void FillScrollingList(TTavelmoorForm& panel) {
  ClearScrollingList(panel);
  tk::TListBox& list = ScrollingList(panel);
  const std::size_t count = std::min(panel.ScrollList.size(), panel.ScrollListText.size());
  for (std::size_t i = 0; i < count; ++i) {
    list.Add(panel.ScrollListText[i]);
    ShownRows.push_back({reinterpret_cast<WindowHandle>(panel.ScrollList[i]), ListedClassOf(panel.ScrollList[i])});
  }
}

}  // namespace

void BindWindowListsTab(TTavelmoorForm& panel) {
  TTavelmoorForm* p = &panel;
  panel.Get<tk::TTabSheet>("WindowsSheet").OnShow = [p] { WindowsSheetShow(*p); };
  panel.Get<tk::TPageControl>("PageControl1").OnChange = [p] { PageControl1Change(*p); };
  ScrollingList(panel).OnDblClick = [p] { ScrollingListBoxDblClick(*p); };
  NonScrollingList(panel).OnDblClick = [p] { NonScrollingListBoxDblClick(*p); };
  panel.Get<tk::TButton>("SetNonScrolling").OnClick = [p] { ScrollingListBoxDblClick(*p); };
  panel.Get<tk::TButton>("SetScrolling").OnClick = [p] { NonScrollingListBoxDblClick(*p); };
}

void WindowsSheetShow(TTavelmoorForm& panel) {
  FillScrollingList(panel);
  ShownListCount = panel.ScrollListText.size();
}

void PageControl1Change(TTavelmoorForm& panel) {
  ClearScrollingList(panel);
  ShownListCount = 0;
}

void WindowListsPanelShown(TTavelmoorForm& panel) { PageControl1Change(panel); }

void ScrollingListBoxDblClick(TTavelmoorForm& panel) {
  tk::TListBox& classes = NonScrollingList(panel);
  const auto className = ClassToMakeNonScrolling(ShownRows, ScrollingList(panel).ItemIndex(), classes.Items());
  if (!className) return;
  // Cleared now; the next scan tick refills it, without the windows of this class.
  ClearScrollingList(panel);
  classes.Add(*className);
  SettingsChanged = true;
}

void NonScrollingListBoxDblClick(TTavelmoorForm& panel) {
  tk::TListBox& classes = NonScrollingList(panel);
  const int chosen = classes.ItemIndex();
  if (chosen >= 0 && chosen < classes.Count()) classes.Delete(chosen);
  SettingsChanged = true;
  ClearScrollingList(panel);
  ShownListCount = 0;
}

void WindowListsAfterScan(TTavelmoorForm& panel) {
  if (RefillAfterScan(panel.Visible(), panel.ScrollListText.size(), ShownListCount)) FillScrollingList(panel);
  ShownListCount = panel.ScrollListText.size();
}

}  // namespace scroller
