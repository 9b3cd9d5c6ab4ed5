#include "navigator/background_picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "pictures/picture_files.h"

namespace {

using navigator::BitmapFileCheck;
using navigator::PictureKind;

TEST(BackgroundPicture, OnlyTheLastExtensionOfTheFileNameCounts) {
  struct Case {
    const char* path;
    const char* extension;
    PictureKind kind;
  };
  const Case cases[] = {
      {"C:\\pictures\\sky.bmp", ".bmp", PictureKind::Bitmap},
      {"C:\\pictures\\SKY.JPG", ".JPG", PictureKind::Jpeg},
      {"C:/pictures/sky.Jpeg", ".Jpeg", PictureKind::Jpeg},
      {"photo.jpeg.bmp", ".bmp", PictureKind::Bitmap},
      {"photo.bmp.jpg", ".jpg", PictureKind::Jpeg},
      {"C:sky.bmp", ".bmp", PictureKind::Bitmap},
      {"C:.bmp", ".bmp", PictureKind::Bitmap},  // after a drive, a dot still starts an extension
      {"sky.png", ".png", PictureKind::None},
      {"sky.jpe", ".jpe", PictureKind::None},
      {"sky.bmp ", ".bmp ", PictureKind::None},
      {"sky.", ".", PictureKind::None},
      {"sky", "", PictureKind::None},
      {"", "", PictureKind::None},
      {".bmp", "", PictureKind::None},  // a name, not an extension
      {"C:\\pictures\\.jpg", "", PictureKind::None},
      {"C:/pictures/.jpeg", "", PictureKind::None},
      {"C:\\pictures.jpg\\sky", "", PictureKind::None},  // the dot is in a folder's name
      {"C:\\pictures.jpg/sky", "", PictureKind::None},
      {"C:\\Windows\\Web\\TranscodedWallpaper", "", PictureKind::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(navigator::PictureExtension(c.path), c.extension) << c.path;
    EXPECT_EQ(navigator::PictureKindOf(c.path), c.kind) << c.path;
  }
}

TEST(BackgroundPicture, SizeLimits) {
  EXPECT_TRUE(navigator::IsAcceptablePictureSize(1, 1));
  EXPECT_TRUE(navigator::IsAcceptablePictureSize(7680, 4320));
  EXPECT_TRUE(navigator::IsAcceptablePictureSize(32767, 1));
  EXPECT_FALSE(navigator::IsAcceptablePictureSize(0, 100));
  EXPECT_FALSE(navigator::IsAcceptablePictureSize(100, 0));
  EXPECT_FALSE(navigator::IsAcceptablePictureSize(-1, 100));
  EXPECT_FALSE(navigator::IsAcceptablePictureSize(32768, 1));
  EXPECT_FALSE(navigator::IsAcceptablePictureSize(8192, 8192));
  EXPECT_FALSE(navigator::IsAcceptablePictureSize(int64_t{1} << 40, int64_t{1} << 40));
}

std::vector<uint8_t> SmallBitmap(bool topDown = false) {
  return pictures::EncodeBmp24(5, 3, pictures::TwoHalves(5, 3, {255, 0, 0}, {0, 0, 255}), topDown);
}

// Patches a little-endian field of a bitmap file.
std::vector<uint8_t> With(std::vector<uint8_t> file, size_t at, uint32_t value, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
  return file;
}

// The 12-byte info header of the oldest bitmaps: 16-bit width and height.
std::vector<uint8_t> CoreBitmap(uint16_t width, uint16_t height) {
  const uint32_t stride = (width * 3u + 3) / 4 * 4;
  std::vector<uint8_t> out{'B', 'M'};
  pictures::PutLE(out, 26 + stride * height, 4);
  pictures::PutLE(out, 0, 4);
  pictures::PutLE(out, 26, 4);
  pictures::PutLE(out, 12, 4);
  pictures::PutLE(out, width, 2);
  pictures::PutLE(out, height, 2);
  pictures::PutLE(out, 1, 2);
  pictures::PutLE(out, 24, 2);
  out.resize(out.size() + stride * height, 0x80);
  return out;
}

TEST(BackgroundPicture, BitmapFileHeadersAreCheckedBeforeLoading) {
  const auto good = SmallBitmap();
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    BitmapFileCheck check;
    int32_t width = 0, height = 0;
    uint64_t pixelOffset = 0;
  };
  const Case cases[] = {
      {"bottom-up 24-bit", good, BitmapFileCheck::Usable, 5, 3, 54},
      {"top-down 24-bit", SmallBitmap(true), BitmapFileCheck::Usable, 5, 3, 54},
      {"core header", CoreBitmap(7, 2), BitmapFileCheck::Usable, 7, 2, 26},
      {"pixel offset left 0", With(good, 10, 0), BitmapFileCheck::Usable, 5, 3, 54},
      {"empty file", {}, BitmapFileCheck::NotABitmap},
      {"no BM", With(good, 0, 'X', 1), BitmapFileCheck::NotABitmap},
      {"a JPEG named .bmp", pictures::EncodeJpeg(2, 2, pictures::TwoHalves(2, 2, {}, {})), BitmapFileCheck::NotABitmap},
      {"garbage", pictures::Garbage(200), BitmapFileCheck::NotABitmap},
      {"unknown info header size", With(good, 14, 41), BitmapFileCheck::NotABitmap},
      {"two planes", With(good, 26, 2, 2), BitmapFileCheck::NotABitmap},
      {"7 bits a pixel", With(good, 28, 7, 2), BitmapFileCheck::NotABitmap},
      {"a PNG stream inside", With(good, 30, 5), BitmapFileCheck::NotABitmap},
      {"RLE8 at 24 bits", With(good, 30, 1), BitmapFileCheck::NotABitmap},
      {"pixel offset inside the headers", With(good, 10, 20), BitmapFileCheck::NotABitmap},
      {"width 0", With(good, 18, 0), BitmapFileCheck::BadSize},
      {"height 0", With(good, 22, 0), BitmapFileCheck::BadSize},
      {"negative width", With(good, 18, static_cast<uint32_t>(-5)), BitmapFileCheck::BadSize},
      {"height INT32_MIN", With(good, 22, 0x80000000u), BitmapFileCheck::BadSize},
      {"huge", With(With(good, 18, 30000), 22, 30000), BitmapFileCheck::BadSize},
      {"too wide", With(good, 18, 40000), BitmapFileCheck::BadSize},
      {"only the file header", pictures::Prefix(good, 14), BitmapFileCheck::Truncated},
      {"half the info header", pictures::Prefix(good, 30), BitmapFileCheck::Truncated},
      {"a pixel row short", pictures::Prefix(good, good.size() - 16), BitmapFileCheck::Truncated},
      {"one byte short", pictures::Prefix(good, good.size() - 1), BitmapFileCheck::Truncated},
      {"pixels claimed far beyond the file", With(good, 10, 0xFFFFFFF0u), BitmapFileCheck::Truncated},
  };
  for (const Case& c : cases) {
    const auto facts = navigator::CheckBitmapFile(pictures::Prefix(c.file, navigator::kBitmapHeadBytes), c.file.size());
    EXPECT_EQ(facts.check, c.check) << c.what;
    if (c.check == BitmapFileCheck::Usable) {
      EXPECT_EQ(facts.width, c.width) << c.what;
      EXPECT_EQ(facts.height, c.height) << c.what;
      EXPECT_EQ(facts.pixelOffset, c.pixelOffset) << c.what;
    }
  }
}

TEST(BackgroundPicture, AFileIsReadWholeOrNotAtAll) {
  const std::string path = testing::TempDir() + "tvm_read_picture.bin";
  const auto bytes = pictures::Garbage(5000);
  ASSERT_TRUE(pictures::WriteFile(path, bytes));
  std::vector<uint8_t> read{1, 2, 3};
  EXPECT_EQ(navigator::ReadPictureFile(path, read), navigator::FileRead::Read);
  EXPECT_EQ(read, bytes);

  std::vector<uint8_t> kept{1, 2, 3};
  EXPECT_EQ(navigator::ReadPictureFile(path + ".missing", kept), navigator::FileRead::Unreadable);
  EXPECT_EQ(kept, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_NE(navigator::ReadPictureFile(testing::TempDir(), kept), navigator::FileRead::Read) << "a folder";
  EXPECT_EQ(kept, (std::vector<uint8_t>{1, 2, 3}));

  // A sparse file: nothing of it is read.
  std::filesystem::resize_file(path, navigator::kMaxPictureFileBytes + 1);
  EXPECT_EQ(navigator::ReadPictureFile(path, kept), navigator::FileRead::TooLarge);
  EXPECT_EQ(kept, (std::vector<uint8_t>{1, 2, 3}));
  std::remove(path.c_str());
}

}  // namespace
