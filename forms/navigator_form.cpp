#include "forms/navigator_form.h"

namespace forms {

const tk::FormDescription& NavigatorForm() {
  // Physical pixels: the control panel places and sizes the navigator whenever it opens it.
  static const tk::FormDescription form{
      .name = "Navigator",
      .caption = "Tavelmoor Virtual Screen Navigator",
      .clientWidth = 176,
      .clientHeight = 110,
      .fixedBorder = true,
      .topmost = true,
      .borderless = true,
      .scaled = false,
      .fontName = "Arial Unicode MS",
      .fontHeight = 16,
  };
  return form;
}

}  // namespace forms
