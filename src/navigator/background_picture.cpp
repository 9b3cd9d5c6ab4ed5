#include "navigator/background_picture.h"

#include <fstream>

#include "core/text.h"

namespace navigator {

std::string_view PictureExtension(std::string_view path) {
  const std::size_t at = path.find_last_of("\\/:.");
  if (at == std::string_view::npos || path[at] != '.') return {};
  // A dot that begins the file name makes no extension: ".jpg" is a name.
  if (at == 0 || path[at - 1] == '\\' || path[at - 1] == '/') return {};
  return path.substr(at);
}

PictureKind PictureKindOf(std::string_view path) {
  const std::string_view ext = PictureExtension(path);
  if (core::EqualsIgnoringCase(ext, ".bmp")) return PictureKind::Bitmap;
  if (core::EqualsIgnoringCase(ext, ".jpg") || core::EqualsIgnoringCase(ext, ".jpeg")) return PictureKind::Jpeg;
  return PictureKind::None;
}

namespace {

uint32_t U16(std::span<const uint8_t> b, std::size_t at) { return b[at] | (uint32_t{b[at + 1]} << 8); }
uint32_t U32(std::span<const uint8_t> b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

constexpr std::size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;  // the oldest info header: 16-bit sizes
constexpr uint32_t kInfoHeaderBytes = 40;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

bool IsInfoHeaderSize(uint32_t size) {
  // BITMAPINFOHEADER, the two bit-field variants, the OS/2 2.x one, BITMAPV4HEADER, BITMAPV5HEADER.
  return size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

bool IsUncompressedDepth(uint32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

BitmapFileFacts CheckBitmapFile(std::span<const uint8_t> head, uint64_t fileSize) {
  BitmapFileFacts facts;
  if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') return facts;
  const auto truncated = [&] {
    facts.check = BitmapFileCheck::Truncated;
    return facts;
  };
  if (head.size() < kFileHeaderBytes + 4) return truncated();
  const uint32_t infoSize = U32(head, 14);
  const bool core = infoSize == kCoreHeaderBytes;
  if (!core && !IsInfoHeaderSize(infoSize)) return facts;
  const std::size_t needed = kFileHeaderBytes + (core ? kCoreHeaderBytes : kInfoHeaderBytes);
  if (head.size() < needed || fileSize < needed) return truncated();

  int64_t width = 0, height = 0;
  uint32_t planes = 0, bits = 0, compression = kRgb, imageBytes = 0;
  bool topDown = false;
  if (core) {
    width = U16(head, 18);
    height = U16(head, 20);
    planes = U16(head, 22);
    bits = U16(head, 24);
  } else {
    width = static_cast<int32_t>(U32(head, 18));
    const int32_t storedHeight = static_cast<int32_t>(U32(head, 22));
    topDown = storedHeight < 0;
    height = storedHeight < 0 ? -int64_t{storedHeight} : int64_t{storedHeight};
    planes = U16(head, 26);
    bits = U16(head, 28);
    compression = U32(head, 30);
    imageBytes = U32(head, 34);
  }
  if (planes != 1) return facts;
  const bool uncompressed = compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
  const bool rle = (compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4);
  // A bitmap may hold a JPEG or PNG stream for printers; the screen cannot show those.
  if (!(uncompressed && IsUncompressedDepth(bits)) && !(rle && !topDown)) return facts;

  if (!IsAcceptablePictureSize(width, height)) {
    facts.check = BitmapFileCheck::BadSize;
    return facts;
  }
  facts.width = static_cast<int32_t>(width);
  facts.height = static_cast<int32_t>(height);

  // Writers that leave the pixel offset 0 put the pixels right after the headers.
  uint64_t offset = U32(head, 10);
  if (offset == 0) offset = kFileHeaderBytes + infoSize;
  if (offset < kFileHeaderBytes + infoSize) {
    facts.check = BitmapFileCheck::NotABitmap;
    return facts;
  }
  uint64_t pixelBytes = 0;
  if (uncompressed) {
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    pixelBytes = rowBytes * static_cast<uint64_t>(height);
  } else {
    pixelBytes = imageBytes > 0 ? imageBytes : 1;
  }
  if (offset + pixelBytes > fileSize) return truncated();
  facts.infoSize = infoSize;
  facts.pixelOffset = offset;
  facts.check = BitmapFileCheck::Usable;
  return facts;
}

FileRead ReadPictureFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileRead::Unreadable;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return FileRead::Unreadable;
  if (static_cast<uint64_t>(size) > kMaxPictureFileBytes) return FileRead::TooLarge;
  in.seekg(0, std::ios::beg);
  std::vector<uint8_t> read(static_cast<std::size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(read.data()), size)) return FileRead::Unreadable;
  bytes = std::move(read);
  return FileRead::Read;
}

}  // namespace navigator
