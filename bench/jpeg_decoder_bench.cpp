// Decoding background pictures: real progressive pictures of a screen's size and of the largest
// size taken, and a crafted progressive file that repeats one scan hundreds of times, which is
// refused within a bounded amount of decoding.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "navigator/jpeg_decoder.h"
#include "pictures/picture_files.h"

namespace {

// Smooth gradients with a little noise, as a photograph has them: every block holds data.
std::vector<uint8_t> PhotoLike(int width, int height) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  uint32_t seed = 7;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      uint8_t* p = rgb.data() + (static_cast<size_t>(y) * width + x) * 3;
      const int noise = static_cast<int>(seed >> 29);
      p[0] = static_cast<uint8_t>(x * 255 / width + noise);
      p[1] = static_cast<uint8_t>(y * 255 / height + noise);
      p[2] = static_cast<uint8_t>((x + y) * 127 / (width + height) + noise);
    }
  }
  return rgb;
}

// The answer is the benchmark's label: a picture decoded, or the reason it was refused.
void Decode(benchmark::State& state, const std::vector<uint8_t>& file) {
  navigator::JpegDecode result = navigator::JpegDecode::Decoded;
  for (auto _ : state) {
    navigator::RgbPicture picture;
    result = navigator::DecodeJpeg(file, picture);
    benchmark::DoNotOptimize(picture.rgb.data());
  }
  state.SetLabel(navigator::ToString(result));
  state.counters["file_MB"] = static_cast<double>(file.size()) / 1e6;
}

void BM_JpegProgressivePhoto(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Decode(state, pictures::EncodeJpeg(w, h, PhotoLike(w, h), pictures::JpegKind::Progressive));
}
// A screen's size, and the largest picture taken (2^25 pixels).
BENCHMARK(BM_JpegProgressivePhoto)->Args({1920, 1080})->Args({5792, 5792})->Unit(benchmark::kMillisecond);

// One colour, so that every scan after the first few is a few bytes of end-of-band runs, the last
// one repeated 498 times: a 5792 x 5792 file that asks for each of its 33 million pixels to be
// refined hundreds of times.
void BM_JpegRepeatedScans(benchmark::State& state) {
  const int side = 5792;
  const std::vector<uint8_t> flat = pictures::TwoHalves(side, side, {90, 140, 200}, {90, 140, 200});
  const std::vector<uint8_t> file =
      pictures::WithLastScanRepeated(pictures::EncodeJpeg(side, side, flat, pictures::JpegKind::Progressive), 498);
  Decode(state, file);
}
BENCHMARK(BM_JpegRepeatedScans)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
