#include "navigator/win32/open_picture_dialog.h"

#include <commdlg.h>

#include <vector>

namespace navigator {

std::optional<std::string> AskForBackgroundPicture(HWND owner) {
  // One filter entry: the text shown, then the patterns; the list ends with an empty entry.
  static const char kFilter[] = "*.bmp; *.jpg; *.jpeg\0*.bmp;*.jpg;*.jpeg\0";
  std::vector<char> file(32768, '\0');
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = "Please select background picture.";
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!GetOpenFileNameA(&ofn)) return std::nullopt;
  return std::string(file.data());
}

}  // namespace navigator
