#pragma once
#include "toolkit/form_description.h"

namespace forms {

// The set-size dialog: a width and a height for a window or for the virtual desktop.
const tk::FormDescription& MinSizeForm();

}  // namespace forms
