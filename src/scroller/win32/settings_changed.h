#pragma once
namespace scroller {

// An option, a list or a remembered size changed since the last save; only a save that wrote
// everything clears it.
extern bool SettingsChanged;

}  // namespace scroller
