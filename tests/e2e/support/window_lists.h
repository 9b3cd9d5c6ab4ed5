#pragma once
// The Scrolling Windows tab as another program sees it, and the desktop around a scenario.
#include <windows.h>

#include <string>
#include <vector>

#include "support/settings_key.h"

namespace e2e {

// The list box whose left edge is left of the other's: the scrolling windows.
HWND ScrollingListBox(HWND panel);
// A row as the tab shows it: class, " (", title, ")".
std::string RowText(const std::string& windowClass, const std::string& title);
// The class of Wine's stand-alone notification-area window, which is an ordinary titled window
// to the scan ("" when none appears).
std::string WineTrayClass();
// A complete settings key (the lists are read only after every option) with these
// non-scrolling classes and remembered sizes ("RemC"/"RemS" pairs).
std::vector<SettingValue> SettingsWith(const std::vector<std::string>& excludedClasses,
                                       const std::vector<std::pair<std::string, int32_t>>& remembered = {});
// "win10" or "default", as the session runs this test.
bool Win10Mode();

}  // namespace e2e
