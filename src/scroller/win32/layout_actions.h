#pragma once
// The control panel's window-layout actions: arranging the windows side by side, saving their
// places into the registry and restoring them.
namespace scroller {

class TTavelmoorForm;

// Binds the arrange, save and restore actions and shows their tray items; checking the
// auto-arrange box arranges at once, and the engine's auto-arrange countdown arranges through the
// navigator. Call once the option handlers are bound.
void ConnectLayoutActions(TTavelmoorForm& panel);

}  // namespace scroller
