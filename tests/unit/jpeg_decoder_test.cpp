#include "navigator/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "pictures/picture_files.h"

namespace {

using navigator::JpegDecode;
using navigator::RgbPicture;
using pictures::Rgb;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

Rgb PixelAt(const RgbPicture& p, int x, int y) {
  const uint8_t* px = p.rgb.data() + (static_cast<size_t>(y) * p.width + x) * 3;
  return {px[0], px[1], px[2]};
}

::testing::AssertionResult Near(Rgb actual, Rgb expected) {
  const auto off = [](int a, int b) { return std::abs(a - b) > 8; };
  if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b)) {
    return ::testing::AssertionFailure() << "got (" << int(actual.r) << ", " << int(actual.g) << ", "
                                         << int(actual.b) << "), expected (" << int(expected.r) << ", "
                                         << int(expected.g) << ", " << int(expected.b) << ")";
  }
  return ::testing::AssertionSuccess();
}

// A picture that a failed decode must leave as it was.
RgbPicture Previous() { return {1, 1, {1, 2, 3}}; }

void ExpectPrevious(const RgbPicture& p, const std::string& what) {
  EXPECT_EQ(p.width, 1) << what;
  EXPECT_EQ(p.height, 1) << what;
  EXPECT_EQ(p.rgb, (std::vector<uint8_t>{1, 2, 3})) << what;
}

std::vector<uint8_t> RedBlue(int width, int height, pictures::JpegKind kind = pictures::JpegKind::Baseline) {
  return pictures::EncodeJpeg(width, height, pictures::TwoHalves(width, height, kRed, kBlue), kind);
}

TEST(JpegDecoder, DecodesColourProgressiveGreyAndFourColourFilesAtFullSize) {
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    Rgb left, right;
  };
  const int w = 48, h = 16;
  std::vector<uint8_t> grey(w * h);
  for (int i = 0; i < w * h; ++i) grey[i] = (i % w) < w / 2 ? 40 : 200;
  // Adobe's inverted inks: 255 is no ink. Left: no cyan, full magenta and yellow: red.
  std::vector<uint8_t> cmyk;
  for (int i = 0; i < w * h; ++i) {
    if ((i % w) < w / 2) {
      cmyk.insert(cmyk.end(), {255, 0, 0, 255});
    } else {
      cmyk.insert(cmyk.end(), {0, 0, 255, 255});  // full cyan and magenta: blue
    }
  }
  const Case cases[] = {
      {"baseline", RedBlue(w, h), kRed, kBlue},
      {"progressive", RedBlue(w, h, pictures::JpegKind::Progressive), kRed, kBlue},
      {"grey", pictures::EncodeJpeg(w, h, grey, pictures::JpegKind::Gray), {40, 40, 40}, {200, 200, 200}},
      {"CMYK", pictures::EncodeJpeg(w, h, cmyk, pictures::JpegKind::AdobeCmyk), kRed, kBlue},
  };
  for (const Case& c : cases) {
    RgbPicture p = Previous();
    ASSERT_EQ(navigator::DecodeJpeg(c.file, p), JpegDecode::Decoded) << c.what;
    ASSERT_EQ(p.width, w) << c.what;
    ASSERT_EQ(p.height, h) << c.what;
    ASSERT_EQ(p.rgb.size(), size_t{w} * h * 3) << c.what;
    for (int y : {0, h / 2, h - 1}) {
      EXPECT_TRUE(Near(PixelAt(p, 2, y), c.left)) << c.what << " left, row " << y;
      EXPECT_TRUE(Near(PixelAt(p, w - 3, y), c.right)) << c.what << " right, row " << y;
    }
  }
}

TEST(JpegDecoder, AScreenSizedPictureComesBackAtThatSize) {
  RgbPicture p;
  ASSERT_EQ(navigator::DecodeJpeg(RedBlue(1920, 1080), p), JpegDecode::Decoded);
  EXPECT_EQ(p.width, 1920);
  EXPECT_EQ(p.height, 1080);
  EXPECT_TRUE(Near(PixelAt(p, 959, 1079), kRed));
  EXPECT_TRUE(Near(PixelAt(p, 960, 0), kBlue));
}

// Every damaged file is refused, and the picture decoded before stays.
TEST(JpegDecoder, TruncatedFilesAreRefused) {
  for (auto kind : {pictures::JpegKind::Baseline, pictures::JpegKind::Progressive}) {
    const auto good = RedBlue(64, 64, kind);
    const size_t sos = pictures::FindMarker(good, 0xDA);
    ASSERT_NE(sos, std::string::npos);
    // In the markers, right after the first scan starts, in the middle, just before the end marker.
    for (size_t cut : {size_t{2}, size_t{20}, sos, sos + 20, good.size() / 2, good.size() - 2}) {
      RgbPicture p = Previous();
      const auto result = navigator::DecodeJpeg(pictures::Prefix(good, cut), p);
      const std::string what = std::string(kind == pictures::JpegKind::Baseline ? "baseline" : "progressive") +
                               " cut at " + std::to_string(cut) + " of " + std::to_string(good.size());
      EXPECT_EQ(result, JpegDecode::Truncated) << what;
      ExpectPrevious(p, what);
    }
  }
}

TEST(JpegDecoder, GarbageIsRefused) {
  const auto good = RedBlue(32, 32);
  std::vector<uint8_t> afterStart{0xFF, 0xD8};
  const auto noise = pictures::Garbage(4000);
  afterStart.insert(afterStart.end(), noise.begin(), noise.end());
  std::vector<uint8_t> scrambledScan = good;
  const size_t sos = pictures::FindMarker(good, 0xDA);
  for (size_t i = sos + 14; i + 2 < scrambledScan.size(); i += 3) scrambledScan[i] ^= 0x5A;
  std::vector<uint8_t> noFrame = good;  // the frame header's marker renamed to an unknown one
  noFrame[pictures::FindMarker(good, 0xC0) + 1] = 0xC8;

  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    std::set<JpegDecode> results;  // which refusals fit
  };
  const Case cases[] = {
      {"empty", {}, {JpegDecode::NotAJpeg}},
      {"one byte", {0xFF}, {JpegDecode::NotAJpeg}},
      {"noise", noise, {JpegDecode::NotAJpeg}},
      {"a bitmap", pictures::EncodeBmp24(4, 4, pictures::TwoHalves(4, 4, kRed, kBlue)), {JpegDecode::NotAJpeg}},
      {"noise after a start marker", afterStart, {JpegDecode::Corrupt, JpegDecode::Truncated}},
      {"no frame header", noFrame, {JpegDecode::Corrupt, JpegDecode::Truncated}},
      {"width 0", pictures::WithFrameSize(good, 0, 32), {JpegDecode::Corrupt, JpegDecode::TooLarge}},
  };
  for (const Case& c : cases) {
    RgbPicture p = Previous();
    const auto result = navigator::DecodeJpeg(c.file, p);
    EXPECT_TRUE(c.results.count(result)) << c.what << ": " << navigator::ToString(result);
    ExpectPrevious(p, c.what);
  }
  // Damaged entropy data may still decode, as a picture with blotches; it must end either way.
  RgbPicture p = Previous();
  const auto result = navigator::DecodeJpeg(scrambledScan, p);
  if (result == JpegDecode::Decoded) {
    EXPECT_EQ(p.width, 32);
  } else {
    ExpectPrevious(p, "scrambled scan");
  }
}

TEST(JpegDecoder, AHugePictureIsRefusedBeforeItIsDecoded) {
  const auto good = RedBlue(16, 16);
  for (auto [w, h] : {std::pair{40000, 16}, std::pair{16, 40000}, std::pair{20000, 20000}, std::pair{65535, 65535}}) {
    RgbPicture p = Previous();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(navigator::DecodeJpeg(pictures::WithFrameSize(good, w, h), p), JpegDecode::TooLarge) << w << " x " << h;
    ExpectPrevious(p, std::to_string(w) + " x " + std::to_string(h));
    // Printed, not asserted: a refusal allocates and decodes nothing.
    std::printf("refusing %d x %d took %.3f ms\n", w, h,
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
}

// A progressive file can repeat scans; libjpeg would decode every one of them.
TEST(JpegDecoder, ScansWithoutEndAreCutOff) {
  const auto progressive = RedBlue(64, 64, pictures::JpegKind::Progressive);
  RgbPicture p = Previous();
  ASSERT_EQ(navigator::DecodeJpeg(pictures::WithLastScanRepeated(progressive, 50), p), JpegDecode::Decoded)
      << "a few repeated scans are still a picture";
  EXPECT_EQ(p.width, 64);

  p = Previous();
  EXPECT_EQ(navigator::DecodeJpeg(pictures::WithLastScanRepeated(progressive, navigator::kMaxJpegScans + 10), p),
            JpegDecode::Corrupt);
  ExpectPrevious(p, "endless scans");
}

// Each scan goes over every block of its components again, however few bytes it takes: a file of
// one colour that repeats a scan of all its coefficients asks for hundreds of passes over the
// picture in a few kilobytes. Such a file is refused before the scan that passes the bound is
// decoded; the same picture without the repeats is still a picture.
TEST(JpegDecoder, AFileWhoseScansAskForFarMoreDecodingThanItsPictureIsRefused) {
  const int side = 1536;  // 36864 blocks of each colour
  const auto flat = pictures::TwoHalves(side, side, {90, 140, 200}, {90, 140, 200});
  // The luma's coefficients come last, in one scan of the whole band.
  const std::vector<jpeg_scan_info> scans = {
      {3, {0, 1, 2}, 0, 0, 0, 0},
      {1, {1}, 1, 63, 0, 0},
      {1, {2}, 1, 63, 0, 0},
      {1, {0}, 1, 63, 0, 0},
  };
  const auto progressive = pictures::EncodeJpeg(side, side, flat, pictures::JpegKind::Progressive, scans);
  RgbPicture p = Previous();
  ASSERT_EQ(navigator::DecodeJpeg(progressive, p), JpegDecode::Decoded);
  EXPECT_TRUE(Near(PixelAt(p, side - 1, side - 1), {90, 140, 200}));

  // 480 more passes over the luma's 36864 blocks, under the 500 scans a file may have.
  const auto repeated = pictures::WithLastScanRepeated(progressive, 480);
  std::printf("%zu bytes, %d x %d\n", repeated.size(), side, side);
  p = Previous();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(navigator::DecodeJpeg(repeated, p), JpegDecode::TooMuchWork);
  ExpectPrevious(p, "repeated scans");
  std::printf("decoding took %.1f ms\n",
              std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace
