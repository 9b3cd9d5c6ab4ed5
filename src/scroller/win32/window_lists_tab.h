#pragma once
// The control panel's Scrolling Windows tab: the windows that scroll now on the left, the user's
// non-scrolling window classes on the right, and the two buttons (or double clicks) that move a
// class from one side to the other.
#include <cstddef>

namespace scroller {

class TTavelmoorForm;

// The number of scrolling windows as of the last scan tick or the last fill of the left list;
// 0 makes the next scan tick refill it while the panel is visible.
extern std::size_t ShownListCount;

// Connects the tab's controls and the page control to the handlers below.
void BindWindowListsTab(TTavelmoorForm& panel);

void WindowsSheetShow(TTavelmoorForm& panel);
void PageControl1Change(TTavelmoorForm& panel);
// Every show of the panel: the left list is emptied until the next scan tick.
void WindowListsPanelShown(TTavelmoorForm& panel);
// ">" or a double click on a scrolling window: its class stops scrolling.
void ScrollingListBoxDblClick(TTavelmoorForm& panel);
// "<" or a double click on a class: it scrolls again.
void NonScrollingListBoxDblClick(TTavelmoorForm& panel);
// After every scan tick: the left list follows the scroll list while the panel is visible.
void WindowListsAfterScan(TTavelmoorForm& panel);

}  // namespace scroller
