#pragma once
// Keyboard scrolling: four system-wide hot keys (Ctrl+Shift+A/S/W/Z) that set the pending step to
// a fraction of the work area, and their registration, which holds all four or none.
#include <array>
#include <cstdint>
#include <optional>

#include "core/geometry.h"
#include "scroller/engine_state.h"

namespace scroller {

inline constexpr uint32_t kHotKeyModifiers = 6;  // MOD_CONTROL | MOD_SHIFT

inline constexpr int kHotKeyLeft = 21;   // Ctrl+Shift+A
inline constexpr int kHotKeyRight = 22;  // Ctrl+Shift+S
inline constexpr int kHotKeyUp = 23;     // Ctrl+Shift+W
inline constexpr int kHotKeyDown = 24;   // Ctrl+Shift+Z

inline constexpr const char* kHotKeysInUseMessage =
    "Keyboard scrolling keys in use by other program!";

struct HotKey {
  int id;
  uint32_t virtualKey;
};

// In registration order.
inline constexpr std::array<HotKey, 4> kHotKeys{{
    {kHotKeyLeft, 0x41},
    {kHotKeyRight, 0x53},
    {kHotKeyUp, 0x57},
    {kHotKeyDown, 0x5A},
}};

struct Step {
  int32_t dx = 0;
  int32_t dy = 0;
  friend bool operator==(const Step&, const Step&) = default;
};

// The step of a hot key: the whole work area at speed 4, half of it at 5, and so on. nullopt for
// an id that is not ours.
std::optional<Step> HotKeyStep(int id, core::Size workArea, const EngineOptions& o);

// WM_HOTKEY: assigns the step (not added, not reversed). False for an id that is not ours.
bool ApplyHotKey(EngineState& s, const EngineOptions& o, int id, core::Size workArea);

// RegisterHotKey / UnregisterHotKey on the control panel window.
class HotKeyRegistrar {
 public:
  virtual ~HotKeyRegistrar() = default;
  virtual bool Register(int id, uint32_t modifiers, uint32_t virtualKey) = 0;
  virtual void Unregister(int id) = 0;
};

struct UseKeysOutcome {
  bool UseKeys = false;        // the new value of the option field
  bool ShowInUseMessage = false;  // show kHotKeysInUseMessage, then uncheck the box
  bool UncheckBox = false;
};

// The check box's OnClick: registers all four or, when one is taken, none (those registered
// before the failure are released again); unregisters all four when the box is cleared. The
// caller marks the settings changed in every case.
UseKeysOutcome UseKeysClicked(bool useKeys, bool boxChecked, HotKeyRegistrar& registrar);

// Releases all four, as the destruction does while UseKeys is set.
void ReleaseHotKeys(HotKeyRegistrar& registrar);

}  // namespace scroller
