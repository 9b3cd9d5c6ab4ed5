// jpeg_bench.exe: decoding background pictures under Wine with the JPEG library the program is
// linked with: progressive and baseline pictures of a screen's size and of the largest size taken
// (bench/jpeg_decoder_bench.cpp's pictures), and the crafted progressive file that the work bound
// refuses. Printed; not a test. JSIMD_FORCENONE=1 turns the library's SIMD off, for comparison.
//   TVM_WINE_SESSION=<session> TVM_WINE_MODE=default tools/wine-run <build>/tests/win/jpeg_bench.exe
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "navigator/jpeg_decoder.h"
#include "pictures/picture_files.h"

// libjpeg-turbo's own question whether its SIMD code takes a step (0 in a build without SIMD, or
// with it turned off); not in its public headers, but in every build of its static library.
extern "C" int jsimd_can_idct_islow(void);
extern "C" int jsimd_can_ycc_rgb(void);

using Clock = std::chrono::steady_clock;

namespace {

struct Picture {
  const char* what;
  int width, height;
  pictures::JpegKind kind;
  int rounds;
};

// The largest picture taken has 2^25 pixels.
constexpr Picture kPictures[] = {
    {"progressive, 1920 x 1080", 1920, 1080, pictures::JpegKind::Progressive, 9},
    {"progressive, 5792 x 5792, the largest taken", 5792, 5792, pictures::JpegKind::Progressive, 3},
    {"baseline, 1920 x 1080", 1920, 1080, pictures::JpegKind::Baseline, 9},
    {"baseline, 5792 x 5792, the largest taken", 5792, 5792, pictures::JpegKind::Baseline, 3},
};

// Median of `rounds` decodes, and the last answer.
void Measure(const char* what, const std::vector<uint8_t>& file, int rounds) {
  std::vector<double> ms;
  navigator::JpegDecode result = navigator::JpegDecode::Decoded;
  for (int i = 0; i < rounds; ++i) {
    navigator::RgbPicture picture;
    const auto start = Clock::now();
    result = navigator::DecodeJpeg(file, picture);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%-62s %8.1f ms  %s (%.1f MB, median of %d)\n", what, ms[ms.size() / 2],
              navigator::ToString(result), static_cast<double>(file.size()) / 1e6, rounds);
  std::fflush(stdout);
}

}  // namespace

int main() {
  std::printf("%d-bit build; libjpeg's SIMD for the inverse DCT: %s, for the colour conversion: %s\n",
              static_cast<int>(sizeof(void*) * 8), jsimd_can_idct_islow() ? "yes" : "no",
              jsimd_can_ycc_rgb() ? "yes" : "no");
  for (const Picture& p : kPictures) {
    // The samples go before the decoding: a 32-bit process holds the largest picture's twice over.
    const std::vector<uint8_t> file = pictures::EncodeJpeg(p.width, p.height, pictures::PhotoLike(p.width, p.height), p.kind);
    Measure(p.what, file, p.rounds);
  }
  Measure("crafted: 5792 x 5792, one colour, its last scan 498 times more",
          pictures::OneColourWithRepeatedScans(5792, 498), 3);
  return 0;
}
