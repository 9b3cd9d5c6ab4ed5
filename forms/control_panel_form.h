#pragma once
#include "toolkit/form_description.h"

namespace forms {

// The control panel: options, help texts and the window lists on three tabs.
const tk::FormDescription& ControlPanelForm();

}  // namespace forms
