#pragma once
// "Set background wallpaper for overview.": what a change of the box does. Checked by the user,
// it asks for a picture and loads it; checked by the program (the settings load), it loads the
// stored path without asking. Whatever fails (a cancelled dialog, a file that is no picture or
// cannot be loaded) turns the option off again, silently: afterwards the box is checked exactly
// when a picture is on show and its path is kept.
#include <optional>
#include <string>

namespace scroller {

// What the option needs of the platform.
class BackgroundPictures {
 public:
  virtual ~BackgroundPictures() = default;
  // The open-file dialog for a picture; nothing when the user cancels.
  virtual std::optional<std::string> AskForPicture() = 0;
  // Loads the file into the navigator's background bitmap; false when it could not be loaded
  // (the bitmap then keeps what it held).
  virtual bool LoadPicture(const std::string& path) = 0;
};

// The option's state, owned by the control panel (the path) and the navigator (the flag).
struct BackgroundState {
  std::string& backgroundFile;
  bool& useBackground;
};

struct BackgroundChange {
  // The box is to be shown unchecked; the state is already that of an unchecked box.
  bool uncheckBox = false;
  // The options are to be saved at the next hide: every change the user made, also a cancel.
  bool markChanged = false;
};

// The handler of the box, run on every change of its state. `userClick` is false while the
// program sets the box itself.
BackgroundChange BackgroundCheckBoxChanged(bool checked, bool userClick, BackgroundState state,
                                           BackgroundPictures& pictures);

}  // namespace scroller
