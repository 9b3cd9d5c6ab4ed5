#pragma once
// Picture files made at test time: JPEGs encoded with the same libjpeg the program decodes with,
// Windows bitmap files written byte by byte, and the damage a test does to them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace pictures {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

// A width x height picture whose left half is `left` and right half `right`.
inline std::vector<uint8_t> TwoHalves(int width, int height, Rgb left, Rgb right) {
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = x < width / 2 ? left : right;
      rgb.insert(rgb.end(), {c.r, c.g, c.b});
    }
  }
  return rgb;
}

// Smooth gradients with a little noise, as a photograph has them: every block holds data.
inline std::vector<uint8_t> PhotoLike(int width, int height) {
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

enum class JpegKind { Baseline, Progressive, Gray, AdobeCmyk };

// Encodes `samples` (3 bytes a pixel for Baseline and Progressive, 1 for Gray, 4 for AdobeCmyk,
// rows top-down) at quality 100 without chroma subsampling, so colours come back within a few steps.
// A progressive file takes its scans from `scans` when given.
inline std::vector<uint8_t> EncodeJpeg(int width, int height, const std::vector<uint8_t>& samples,
                                       JpegKind kind = JpegKind::Baseline,
                                       const std::vector<jpeg_scan_info>& scans = {}) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  int components = 3;
  cinfo.in_color_space = JCS_RGB;
  if (kind == JpegKind::Gray) {
    components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
  } else if (kind == JpegKind::AdobeCmyk) {
    components = 4;
    cinfo.in_color_space = JCS_CMYK;
  }
  cinfo.input_components = components;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  for (int c = 0; c < cinfo.num_components; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  if (kind == JpegKind::Progressive && scans.empty()) jpeg_simple_progression(&cinfo);
  if (kind == JpegKind::Progressive && !scans.empty()) {
    cinfo.scan_info = scans.data();
    cinfo.num_scans = static_cast<int>(scans.size());
  }
  jpeg_start_compress(&cinfo, TRUE);
  const size_t stride = static_cast<size_t>(width) * components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + stride * cinfo.next_scanline);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> bytes(out, out + size);
  jpeg_destroy_compress(&cinfo);
  std::free(out);
  return bytes;
}

// The offset of the first marker 0xFF `code`, or npos.
inline size_t FindMarker(const std::vector<uint8_t>& jpeg, uint8_t code, size_t from = 2) {
  for (size_t i = from; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return i;
  }
  return std::string::npos;
}

// The same file announcing another size in its frame header (baseline or progressive).
inline std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> jpeg, uint16_t width, uint16_t height) {
  size_t sof = FindMarker(jpeg, 0xC0);
  if (sof == std::string::npos) sof = FindMarker(jpeg, 0xC2);
  if (sof == std::string::npos) return {};
  jpeg[sof + 5] = static_cast<uint8_t>(height >> 8);
  jpeg[sof + 6] = static_cast<uint8_t>(height);
  jpeg[sof + 7] = static_cast<uint8_t>(width >> 8);
  jpeg[sof + 8] = static_cast<uint8_t>(width);
  return jpeg;
}

// A progressive file whose last scan is repeated `times` more times before the end marker.
inline std::vector<uint8_t> WithLastScanRepeated(const std::vector<uint8_t>& jpeg, int times) {
  size_t last = std::string::npos;
  for (size_t at = FindMarker(jpeg, 0xDA); at != std::string::npos; at = FindMarker(jpeg, 0xDA, at + 2)) last = at;
  const size_t end = FindMarker(jpeg, 0xD9, last == std::string::npos ? 2 : last);
  if (last == std::string::npos || end == std::string::npos) return {};
  std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(end));
  for (int i = 0; i < times; ++i) {
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(last), jpeg.begin() + static_cast<std::ptrdiff_t>(end));
  }
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

// A side x side progressive file of one colour, its last scan (a few bytes of end-of-band runs
// over the whole picture) repeated `times` more times: it asks for every pixel to be refined
// hundreds of times.
inline std::vector<uint8_t> OneColourWithRepeatedScans(int side, int times) {
  const std::vector<uint8_t> flat = TwoHalves(side, side, {90, 140, 200}, {90, 140, 200});
  return WithLastScanRepeated(EncodeJpeg(side, side, flat, JpegKind::Progressive), times);
}

inline void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A 24-bit Windows bitmap file of `rgb` (rows top-down), stored bottom-up as most files are, or
// top-down with a negative height.
inline std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint8_t>& rgb, bool topDown = false) {
  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
  const uint32_t pixels = stride * static_cast<uint32_t>(height);
  std::vector<uint8_t> out{'B', 'M'};
  PutLE(out, 54 + pixels, 4);
  PutLE(out, 0, 4);
  PutLE(out, 54, 4);
  PutLE(out, 40, 4);
  PutLE(out, static_cast<uint32_t>(width), 4);
  PutLE(out, static_cast<uint32_t>(topDown ? -height : height), 4);
  PutLE(out, 1, 2);
  PutLE(out, 24, 2);
  PutLE(out, 0, 4);  // uncompressed
  PutLE(out, pixels, 4);
  PutLE(out, 2835, 4);
  PutLE(out, 2835, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = rgb.data() + (static_cast<size_t>(y) * width + x) * 3;
      out.insert(out.end(), {p[2], p[1], p[0]});
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

inline std::vector<uint8_t> Prefix(const std::vector<uint8_t>& bytes, size_t count) {
  return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count < bytes.size() ? count : bytes.size())};
}

// Bytes that are no picture of any kind (a fixed seed: the same every run).
inline std::vector<uint8_t> Garbage(size_t count, uint32_t seed = 12345) {
  std::vector<uint8_t> out(count);
  for (auto& b : out) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(seed >> 24);
  }
  return out;
}

inline bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace pictures
