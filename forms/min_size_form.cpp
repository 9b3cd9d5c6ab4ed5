#include "forms/min_size_form.h"

namespace forms {
namespace {

using tk::ComponentDescription;
using tk::ComponentKind;

constexpr ComponentDescription kComponents[] = {
    {.kind = ComponentKind::Button, .name = "Cancel", .left = 360, .top = 156, .width = 144, .height = 39,
     .caption = "Cancel", .tabOrder = 5, .isCancel = true},
    {.kind = ComponentKind::Button, .name = "Apply", .left = 24, .top = 156, .width = 144, .height = 39,
     .caption = "Apply", .tabOrder = 3, .isDefault = true},
    {.kind = ComponentKind::Edit, .name = "WidthEdit", .left = 98, .top = 36, .width = 184, .height = 37,
     .caption = "0", .tabOrder = 0},
    {.kind = ComponentKind::Label, .name = "Label1", .left = 24, .top = 3, .width = 325, .height = 29,
     .caption = "Enter the size in screen pixels:"},
    {.kind = ComponentKind::Label, .name = "Label2", .left = 24, .top = 40, .width = 61, .height = 29,
     .caption = "Width"},
    {.kind = ComponentKind::Label, .name = "Label3", .left = 24, .top = 81, .width = 68, .height = 29,
     .caption = "Height"},
    {.kind = ComponentKind::Edit, .name = "HeightEdit", .left = 98, .top = 76, .width = 184, .height = 37,
     .caption = "0", .tabOrder = 1},
    {.kind = ComponentKind::CheckBox, .name = "Remember", .left = 24, .top = 122, .width = 194, .height = 33,
     .caption = "Remember size", .tabOrder = 2, .checked = false},
    {.kind = ComponentKind::Button, .name = "Button1", .left = 192, .top = 156, .width = 144, .height = 39,
     .caption = "Clear resize", .tabOrder = 4},
};

}  // namespace

const tk::FormDescription& MinSizeForm() {
  // The buttons end at 195: the client area leaves a margin below them as on the sides.
  static const tk::FormDescription form{
      .name = "MinSizeForm",
      .caption = "Set size",
      .clientWidth = 528,
      .clientHeight = 213,
      .fixedBorder = true,
      .systemMenu = false,
      .topmost = true,
      .centred = true,
      .components = kComponents,
  };
  return form;
}

}  // namespace forms
