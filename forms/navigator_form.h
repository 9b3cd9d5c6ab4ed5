#pragma once
#include "toolkit/form_description.h"

namespace forms {

// The navigator: a small borderless window, topmost over every application, showing the whole
// virtual desktop in miniature. Its size is set each time it is opened.
const tk::FormDescription& NavigatorForm();

}  // namespace forms
