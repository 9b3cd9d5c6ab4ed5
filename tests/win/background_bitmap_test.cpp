// The navigator's background picture loaded from files into its bitmap, with real GDI.
#include "navigator/win32/background_bitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pictures/picture_files.h"
#include "win_support/gdi_objects.h"

namespace {

using navigator::NavigatorBitmap;
using navigator::PictureLoad;
using pictures::Rgb;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

// The bitmap's pixel as GDI reads it back.
Rgb PixelOf(const NavigatorBitmap& bitmap, int x, int y) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = bitmap.width;
  info.bmiHeader.biHeight = -bitmap.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint8_t> bits(static_cast<size_t>(bitmap.width) * bitmap.height * 4);
  HDC dc = GetDC(nullptr);
  const int lines = GetDIBits(dc, bitmap.handle, 0, bitmap.height, bits.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(lines, bitmap.height);
  const uint8_t* p = bits.data() + (static_cast<size_t>(y) * bitmap.width + x) * 4;
  return {p[2], p[1], p[0]};
}

::testing::AssertionResult Near(Rgb a, Rgb e) {
  const auto off = [](int x, int y) { return x - y > 8 || y - x > 8; };
  if (off(a.r, e.r) || off(a.g, e.g) || off(a.b, e.b)) {
    return ::testing::AssertionFailure() << "got (" << int(a.r) << ", " << int(a.g) << ", " << int(a.b) << ")";
  }
  return ::testing::AssertionSuccess();
}

class BackgroundBitmap : public ::testing::Test {
 protected:
  void TearDown() override {
    if (bitmap_.handle) DeleteObject(bitmap_.handle);
    for (const auto& f : files_) DeleteFileA(f.c_str());
  }

  std::string Write(const char* name, const std::vector<uint8_t>& bytes) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    EXPECT_TRUE(pictures::WriteFile(path, bytes)) << path;
    files_.push_back(path);
    return path;
  }

  void ExpectRedBlue(int width, int height, const std::string& what) {
    ASSERT_FALSE(bitmap_.Empty()) << what;
    EXPECT_EQ(bitmap_.width, width) << what;
    EXPECT_EQ(bitmap_.height, height) << what;
    BITMAP info{};
    ASSERT_TRUE(GetObjectA(bitmap_.handle, sizeof info, &info)) << what;
    EXPECT_EQ(info.bmWidth, width) << what;
    for (int y : {0, height - 1}) {
      EXPECT_TRUE(Near(PixelOf(bitmap_, 1, y), kRed)) << what << ", row " << y;
      EXPECT_TRUE(Near(PixelOf(bitmap_, width - 2, y), kBlue)) << what << ", row " << y;
    }
  }

  NavigatorBitmap bitmap_;
  std::vector<std::string> files_;
};

TEST_F(BackgroundBitmap, ABitmapAndAJpegComeInAtTheirSizeWithTheirPixels) {
  const auto rgb = pictures::TwoHalves(40, 12, kRed, kBlue);
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
  };
  const Case cases[] = {
      {"tvm_bg_bottom_up.bmp", pictures::EncodeBmp24(40, 12, rgb)},
      {"tvm_bg_top_down.BMP", pictures::EncodeBmp24(40, 12, rgb, true)},
      {"tvm_bg.jpg", pictures::EncodeJpeg(40, 12, rgb)},
      {"tvm_bg_progressive.JPEG", pictures::EncodeJpeg(40, 12, rgb, pictures::JpegKind::Progressive)},
  };
  for (const Case& c : cases) {
    const std::string path = Write(c.name, c.file);
    ASSERT_EQ(navigator::LoadBackgroundPicture(path, bitmap_), PictureLoad::Loaded) << c.name;
    ExpectRedBlue(40, 12, c.name);
  }
}

TEST_F(BackgroundBitmap, AScreenSizedJpegFillsABitmapOfItsSize) {
  const std::string path = Write("tvm_bg_screen.jpg", pictures::EncodeJpeg(1920, 1080, pictures::TwoHalves(1920, 1080, kRed, kBlue)));
  ASSERT_EQ(navigator::LoadBackgroundPicture(path, bitmap_), PictureLoad::Loaded);
  ExpectRedBlue(1920, 1080, "1920 x 1080");
}

// A file that cannot be loaded leaves the picture loaded before, whatever is wrong with it.
TEST_F(BackgroundBitmap, ADamagedOrHugeFileLeavesThePreviousPicture) {
  const auto rgb = pictures::TwoHalves(40, 12, kRed, kBlue);
  const auto jpeg = pictures::EncodeJpeg(64, 64, pictures::TwoHalves(64, 64, kRed, kBlue));
  const auto bmp = pictures::EncodeBmp24(64, 64, pictures::TwoHalves(64, 64, kRed, kBlue));
  auto hugeBmp = bmp;
  hugeBmp[18] = 0x30;  // width 30000 + 64
  hugeBmp[19] = 0x75;
  hugeBmp[22] = 0x30;  // height likewise
  hugeBmp[23] = 0x75;
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    PictureLoad load;
  };
  const Case cases[] = {
      {"tvm_bad_truncated.jpg", pictures::Prefix(jpeg, jpeg.size() / 2), PictureLoad::Failed},
      {"tvm_bad_garbage.jpg", pictures::Garbage(3000), PictureLoad::Failed},
      {"tvm_bad_empty.jpeg", {}, PictureLoad::Failed},
      {"tvm_bad_huge.jpg", pictures::WithFrameSize(jpeg, 30000, 30000), PictureLoad::Failed},
      {"tvm_bad_truncated.bmp", pictures::Prefix(bmp, bmp.size() / 2), PictureLoad::Failed},
      {"tvm_bad_garbage.bmp", pictures::Garbage(3000), PictureLoad::Failed},
      {"tvm_bad_jpeg_inside.bmp", jpeg, PictureLoad::Failed},
      {"tvm_bad_huge.bmp", hugeBmp, PictureLoad::Failed},
      {"tvm_bad_kind.png", bmp, PictureLoad::NotAPicture},
  };
  ASSERT_EQ(navigator::LoadBackgroundPicture(Write("tvm_bg_first.bmp", pictures::EncodeBmp24(40, 12, rgb)), bitmap_),
            PictureLoad::Loaded);
  const HBITMAP first = bitmap_.handle;
  for (const Case& c : cases) {
    EXPECT_EQ(navigator::LoadBackgroundPicture(Write(c.name, c.file), bitmap_), c.load) << c.name;
    EXPECT_EQ(bitmap_.handle, first) << c.name;
    ExpectRedBlue(40, 12, c.name);
  }
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  EXPECT_EQ(navigator::LoadBackgroundPicture(std::string(folder) + "tvm_no_such_file.jpg", bitmap_), PictureLoad::Failed);
  EXPECT_EQ(navigator::LoadBackgroundPicture(std::string(folder) + "tvm_no_such_file.bmp", bitmap_), PictureLoad::Failed);
  EXPECT_EQ(bitmap_.handle, first);
}

// Loading again and again frees each picture it replaces.
TEST_F(BackgroundBitmap, ReplacingAPictureFreesTheOldOne) {
  const std::string bmp = Write("tvm_bg_cycle.bmp", pictures::EncodeBmp24(40, 12, pictures::TwoHalves(40, 12, kRed, kBlue)));
  const std::string jpg = Write("tvm_bg_cycle.jpg", pictures::EncodeJpeg(40, 12, pictures::TwoHalves(40, 12, kRed, kBlue)));
  ASSERT_EQ(navigator::LoadBackgroundPicture(bmp, bitmap_), PictureLoad::Loaded);
  const int before = tvmtest::GdiObjects();
  for (int i = 0; i < 200; ++i) {
    ASSERT_EQ(navigator::LoadBackgroundPicture(i % 2 ? bmp : jpg, bitmap_), PictureLoad::Loaded) << i;
  }
  const int after = tvmtest::GdiObjects();
  EXPECT_LE(after, before + 2) << "GDI objects before " << before << ", after " << after;
  ExpectRedBlue(40, 12, "after 200 loads");
}

TEST(BackgroundBitmapEmpty, AnEmptyBitmapIsEmptyWhateverItsHandle) {
  EXPECT_TRUE(NavigatorBitmap{}.Empty());
  EXPECT_TRUE((NavigatorBitmap{reinterpret_cast<HBITMAP>(1), 0, 10}.Empty()));
  EXPECT_TRUE((NavigatorBitmap{reinterpret_cast<HBITMAP>(1), 10, 0}.Empty()));
  EXPECT_EQ(navigator::BitmapOfPicture({}), nullptr);
  EXPECT_EQ(navigator::BitmapOfPicture({2, 2, {1, 2, 3}}), nullptr) << "rows shorter than the size";
}

}  // namespace
