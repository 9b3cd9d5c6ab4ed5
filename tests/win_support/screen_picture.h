#pragma once
// Pictures of the screen for a person to look at after a test: an area of a DC saved as a
// 24-bit BMP file.
#include <windows.h>

#include <cstdio>
#include <string>

namespace tvmtest {

inline void SaveBitmap(HDC source, const RECT& area, const std::string& path) {
  const int w = area.right - area.left;
  const int h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return;
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;  // no alpha channel for viewers to misread
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, source, area.left, area.top, SRCCOPY);
  GdiFlush();
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * h);
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
    std::fwrite(bits, stride, static_cast<size_t>(h), f);
    std::fclose(f);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

// The whole screen into `name`.bmp in the screenshot folder (a Windows path).
inline void SaveScreen(const std::string& folder, const std::string& name) {
  CreateDirectoryA(folder.c_str(), nullptr);
  HDC screen = GetDC(nullptr);
  const RECT all{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SaveBitmap(screen, all, folder + "\\" + name + ".bmp");
  ReleaseDC(nullptr, screen);
}

}  // namespace tvmtest
