// Decoding background pictures: real progressive and baseline pictures of a screen's size and of
// the largest size taken, and a crafted progressive file that repeats one scan hundreds of times,
// which is refused within a bounded amount of decoding. tests/win/jpeg_bench.exe decodes the same
// pictures under Wine, with the library the program ships.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "navigator/jpeg_decoder.h"
#include "pictures/picture_files.h"

namespace {

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

void DecodePhoto(benchmark::State& state, pictures::JpegKind kind) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Decode(state, pictures::EncodeJpeg(w, h, pictures::PhotoLike(w, h), kind));
}
void BM_JpegProgressivePhoto(benchmark::State& state) { DecodePhoto(state, pictures::JpegKind::Progressive); }
void BM_JpegBaselinePhoto(benchmark::State& state) { DecodePhoto(state, pictures::JpegKind::Baseline); }
// A screen's size, and the largest picture taken (2^25 pixels).
BENCHMARK(BM_JpegProgressivePhoto)->Args({1920, 1080})->Args({5792, 5792})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegBaselinePhoto)->Args({1920, 1080})->Args({5792, 5792})->Unit(benchmark::kMillisecond);

// One colour, so that every scan after the first few is a few bytes of end-of-band runs, the last
// one repeated 498 times: a 5792 x 5792 file that asks for each of its 33 million pixels to be
// refined hundreds of times.
void BM_JpegRepeatedScans(benchmark::State& state) { Decode(state, pictures::OneColourWithRepeatedScans(5792, 498)); }
BENCHMARK(BM_JpegRepeatedScans)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
