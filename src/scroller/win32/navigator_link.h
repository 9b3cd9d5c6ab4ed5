#pragma once
// The control panel's side of the navigator: creating it and handing it the loaded settings.
namespace scroller {

class TTavelmoorForm;

// Creates the navigator form (hidden, busy) unless it exists; it saves the panel's settings when
// it is destroyed.
void CreateNavigator(TTavelmoorForm& panel);
// The remembered class sizes and the fixed desktop size as loaded go to the navigator's entries.
void PassSettingsToNavigator(TTavelmoorForm& panel);

}  // namespace scroller
