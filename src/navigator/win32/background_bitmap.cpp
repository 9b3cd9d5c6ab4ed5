#include "navigator/win32/background_bitmap.h"

#include <cstring>
#include <new>
#include <vector>

#include "navigator/jpeg_decoder.h"

namespace navigator {
namespace {

void Replace(NavigatorBitmap& bitmap, HBITMAP handle, int width, int height) {
  if (bitmap.handle) DeleteObject(bitmap.handle);
  bitmap = {handle, width, height, bitmap.version + 1};
}

// A 32-bit top-down DIB section, the form every background picture takes; null when it cannot be made.
HBITMAP TopDownSection(int width, int height, void*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (handle && !bits) {
    DeleteObject(handle);
    return nullptr;
  }
  return handle;
}

// The file's headers and colour table rebuilt as a plain BITMAPINFO of our own, so that GDI
// never reads a colour count or mask from beyond what the file holds, whatever its header says.
struct DibHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

bool BuildHeader(const std::vector<uint8_t>& file, const BitmapFileFacts& facts, DibHeader& dib) {
  std::memset(&dib, 0, sizeof dib);
  const uint32_t infoSize = facts.infoSize;
  const uint64_t offset = facts.pixelOffset;
  BITMAPINFOHEADER& h = dib.header;
  h.biSize = sizeof h;
  h.biPlanes = 1;
  std::size_t tableAt = 14 + infoSize;
  bool tripleColours = false;
  if (infoSize == 12) {
    h.biWidth = facts.width;
    h.biHeight = facts.height;
    h.biBitCount = static_cast<WORD>(file[24] | (file[25] << 8));
    h.biCompression = BI_RGB;
    tripleColours = true;
  } else {
    std::memcpy(&h, file.data() + 14, sizeof h);
    h.biSize = sizeof h;
    if (h.biCompression == BI_BITFIELDS || h.biCompression == 6 /* alpha bit fields */) {
      // The masks follow a 40-byte header, or sit inside the later, longer ones.
      const std::size_t masksAt = infoSize >= 52 ? 14 + 40 : 14 + infoSize;
      if (infoSize < 52) tableAt += h.biCompression == BI_BITFIELDS ? 12 : 16;
      if (masksAt + 12 > file.size()) return false;
      std::memcpy(dib.colors, file.data() + masksAt, 12);
      h.biCompression = BI_BITFIELDS;
    }
    if (h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4) h.biSizeImage = static_cast<DWORD>(file.size() - offset);
  }
  if (h.biBitCount <= 8) {
    const uint32_t most = 1u << h.biBitCount;
    uint32_t count = (!tripleColours && h.biClrUsed > 0 && h.biClrUsed < most) ? h.biClrUsed : most;
    const std::size_t entry = tripleColours ? 3 : 4;
    for (uint32_t i = 0; i < count; ++i) {
      const std::size_t at = tableAt + i * entry;
      if (at + entry > offset || at + entry > file.size()) break;  // missing colours stay black
      dib.colors[i] = RGBQUAD{file[at], file[at + 1], file[at + 2], 0};
    }
    h.biClrUsed = count;
  } else {
    h.biClrUsed = 0;
  }
  h.biClrImportant = 0;
  return true;
}

// Bitmap files are read whole and drawn into a DIB section of our own: LoadImage, under Wine,
// leaves top-down files black, and it trusts the file's headers.
bool LoadBitmapFile(const std::string& path, NavigatorBitmap& bitmap) {
  std::vector<uint8_t> file;
  if (ReadPictureFile(path, file) != FileRead::Read) return false;
  const BitmapFileFacts facts = CheckBitmapFile(file, file.size());
  if (facts.check != BitmapFileCheck::Usable) return false;
  DibHeader dib;
  if (!BuildHeader(file, facts, dib)) return false;

  void* bits = nullptr;
  HBITMAP handle = TopDownSection(facts.width, facts.height, bits);
  if (!handle) return false;
  HDC screen = GetDC(nullptr);
  const int lines = SetDIBits(screen, handle, 0, static_cast<UINT>(facts.height), file.data() + facts.pixelOffset,
                              reinterpret_cast<const BITMAPINFO*>(&dib), DIB_RGB_COLORS);
  if (screen) ReleaseDC(nullptr, screen);
  if (lines <= 0) {
    DeleteObject(handle);
    return false;
  }
  Replace(bitmap, handle, facts.width, facts.height);
  return true;
}

bool LoadJpegFile(const std::string& path, NavigatorBitmap& bitmap) {
  std::vector<uint8_t> bytes;
  if (ReadPictureFile(path, bytes) != FileRead::Read) return false;
  RgbPicture picture;
  if (DecodeJpeg(bytes, picture) != JpegDecode::Decoded) return false;
  bytes = {};  // the file is not needed while the bitmap is made
  HBITMAP handle = BitmapOfPicture(picture);
  if (!handle) return false;
  Replace(bitmap, handle, picture.width, picture.height);
  return true;
}

}  // namespace

HBITMAP BitmapOfPicture(const RgbPicture& picture) {
  if (picture.Empty() || !IsAcceptablePictureSize(picture.width, picture.height) ||
      picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3) {
    return nullptr;
  }
  void* bits = nullptr;
  HBITMAP handle = TopDownSection(picture.width, picture.height, bits);  // top-down, as the rows are
  if (!handle) return nullptr;
  auto* out = static_cast<uint8_t*>(bits);
  const uint8_t* in = picture.rgb.data();
  const std::size_t pixels = static_cast<std::size_t>(picture.width) * picture.height;
  for (std::size_t i = 0; i < pixels; ++i, in += 3, out += 4) {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
    out[3] = 0;
  }
  GdiFlush();
  return handle;
}

PictureLoad LoadBackgroundPicture(const std::string& path, NavigatorBitmap& bitmap) {
  const PictureKind kind = PictureKindOf(path);
  if (kind == PictureKind::None) return PictureLoad::NotAPicture;
  try {
    const bool loaded = kind == PictureKind::Bitmap ? LoadBitmapFile(path, bitmap) : LoadJpegFile(path, bitmap);
    return loaded ? PictureLoad::Loaded : PictureLoad::Failed;
  } catch (const std::exception&) {
    return PictureLoad::Failed;  // memory ran out while reading or decoding
  }
}

}  // namespace navigator
