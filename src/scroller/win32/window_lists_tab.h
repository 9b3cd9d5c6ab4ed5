#pragma once
// The control panel's Scrolling Windows tab: the windows that scroll now on the left, the user's
// non-scrolling window classes on the right, and the two buttons (or double clicks) that move a
// class from one side to the other. Both lists belong to the engine; the list boxes show them.
#include <cstddef>
#include <vector>

#include "core/settings_changes.h"
#include "scroller/window_lists.h"

namespace tk {
class TForm;
}

namespace scroller {

class ScrollEngine;

class WindowListsTab {
 public:
  // Connects the tab's controls and the page control; a class moved from one side to the other
  // marks `changes`.
  WindowListsTab(tk::TForm& panel, ScrollEngine& engine, core::SettingsChanges& changes);

  // Every show of the panel: the left list is emptied until the next scan tick.
  void PanelShown();
  // After every scan tick: the left list follows the scroll list while the panel is visible.
  void AfterScan(bool panelVisible);
  // The right list shows the engine's non-scrolling classes again (after the settings load).
  void ShowNonScrollingClasses();

 private:
  void WindowsSheetShow();
  void ClearScrollingList();
  void FillScrollingList();
  // ">" or a double click on a scrolling window: its class stops scrolling.
  void MakeChosenWindowNonScrolling();
  // "<" or a double click on a class: it scrolls again.
  void MakeChosenClassScrolling();

  tk::TForm& panel_;
  ScrollEngine& engine_;
  core::SettingsChanges& changes_;
  // What the left list shows, row by row: the scroll list changes at every scan and between
  // scans, so a row is acted on as it was listed, never by its index into the current list.
  std::vector<ListedRow> shownRows_;
  // The number of scrolling windows as of the last scan tick or the last fill; 0 makes the next
  // scan tick refill the list while the panel is visible.
  std::size_t shownListCount_ = 0;
};

}  // namespace scroller
