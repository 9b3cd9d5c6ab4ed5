#pragma once
// The file-open dialog for the navigator's background picture.
#include <windows.h>

#include <optional>
#include <string>

namespace navigator {

// Modal over `owner`; the chosen path, or nothing when the user cancelled.
std::optional<std::string> AskForBackgroundPicture(HWND owner);

}  // namespace navigator
