#include "scroller/background_option.h"

#include "navigator/background_picture.h"

namespace scroller {
namespace {

// A file of another kind than the pictures loads nothing; rather than show an old picture or
// none under a checked box, the option goes off as for a file that fails to load.
bool Load(const std::string& path, BackgroundPictures& pictures) {
  return navigator::PictureKindOf(path) != navigator::PictureKind::None && pictures.LoadPicture(path);
}

}  // namespace

BackgroundChange BackgroundCheckBoxChanged(bool checked, bool userClick, BackgroundState state,
                                           BackgroundPictures& pictures) {
  BackgroundChange change;
  change.markChanged = userClick;
  if (!checked) {
    // The bitmap keeps its picture, which is not drawn while the option is off.
    state.backgroundFile.clear();
    state.useBackground = false;
    return change;
  }
  if (userClick) {
    const std::optional<std::string> chosen = pictures.AskForPicture();
    if (!chosen) {
      state.backgroundFile.clear();
      state.useBackground = false;
      change.uncheckBox = true;
      return change;
    }
    state.backgroundFile = *chosen;
  }
  state.useBackground = true;
  if (!Load(state.backgroundFile, pictures)) {
    state.backgroundFile.clear();
    state.useBackground = false;
    change.uncheckBox = true;
  }
  return change;
}

}  // namespace scroller
