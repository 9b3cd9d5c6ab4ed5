#include "navigator/jpeg_decoder.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <new>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
#include <jerror.h>

namespace navigator {
namespace {

// libjpeg's error manager with a way back. Everything in the decoding frame below is plain data:
// the jump back skips no destructor.
struct ErrorExit {
  jpeg_error_mgr pub;  // first: libjpeg sees only this part
  std::jmp_buf jump;
  JpegDecode failure;
};

// Watches the scans as libjpeg meets them: their number and the work they ask for.
struct ScanWatch {
  jpeg_progress_mgr pub;  // first
  ErrorExit* exit;
  int scan;            // the last scan charged
  uint64_t work;       // asked for by the scans so far
};

[[noreturn]] void Fail(ErrorExit& exit, JpegDecode failure) {
  if (exit.failure == JpegDecode::Decoded) exit.failure = failure;
  std::longjmp(exit.jump, 1);
}

JpegDecode FailureOf(int messageCode) {
  switch (messageCode) {
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
    case JERR_TFILE_CREATE:
      return JpegDecode::OutOfMemory;
    case JERR_NO_SOI:
      return JpegDecode::NotAJpeg;
    case JERR_INPUT_EMPTY:
    case JERR_INPUT_EOF:
      return JpegDecode::Truncated;
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
      return JpegDecode::TooLarge;
    default:
      return JpegDecode::Corrupt;
  }
}

void OnError(j_common_ptr cinfo) {
  auto* exit = reinterpret_cast<ErrorExit*>(cinfo->err);
  Fail(*exit, FailureOf(cinfo->err->msg_code));
}

// Warnings are not printed. Running out of data is a warning to libjpeg, which then fills the
// rest of the picture with grey; to us it is a damaged file.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
    Fail(*reinterpret_cast<ErrorExit*>(cinfo->err), JpegDecode::Truncated);
  }
  cinfo->err->num_warnings++;
}

void OnOutput(j_common_ptr) {}

// libjpeg calls this before each step of its reading: the scan whose header was read last (its
// band and components) is charged before any of it is decoded.
void OnProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  auto* watch = reinterpret_cast<ScanWatch*>(cinfo->progress);
  const auto& d = *reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d.input_scan_number > kMaxJpegScans) Fail(*watch->exit, JpegDecode::Corrupt);
  if (d.input_scan_number == watch->scan) return;
  watch->scan = d.input_scan_number;
  uint64_t blocks = 0;
  for (int i = 0; i < d.comps_in_scan; ++i) {
    blocks += uint64_t{d.cur_comp_info[i]->width_in_blocks} * d.cur_comp_info[i]->height_in_blocks;
  }
  watch->work += JpegScanWork(blocks, d.Ss, d.Se);
  if (watch->work > kMaxJpegWork) Fail(*watch->exit, JpegDecode::TooMuchWork);
}

bool Allocate(RgbPicture& picture, JDIMENSION width, JDIMENSION height) noexcept {
  try {
    picture.rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  picture.width = static_cast<int32_t>(width);
  picture.height = static_cast<int32_t>(height);
  return true;
}

// Four-colour rows to RGB. Adobe's writers store the inks inverted.
void CmykToRgb(const JSAMPLE* cmyk, uint8_t* rgb, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
    for (int c = 0; c < 3; ++c) {
      const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
      rgb[c] = static_cast<uint8_t>((ink * k + 127) / 255);
    }
  }
}

// Libjpeg's whole memory use; beyond it a decode fails with OutOfMemory.
constexpr long kMaxDecoderMemory = 320L << 20;

JpegDecode DecodeInto(std::span<const uint8_t> data, RgbPicture& out) {
  jpeg_decompress_struct cinfo;
  ErrorExit exit;
  ScanWatch watch;
  cinfo.err = jpeg_std_error(&exit.pub);
  exit.pub.error_exit = OnError;
  exit.pub.emit_message = OnMessage;
  exit.pub.output_message = OnOutput;
  exit.failure = JpegDecode::Decoded;
  if (setjmp(exit.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return exit.failure;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  watch.pub.progress_monitor = OnProgress;
  watch.exit = &exit;
  watch.scan = 0;
  watch.work = 0;
  cinfo.progress = &watch.pub;
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));

  jpeg_read_header(&cinfo, TRUE);
  if (!IsAcceptablePictureSize(cinfo.image_width, cinfo.image_height)) Fail(exit, JpegDecode::TooLarge);
  const bool fourColour = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = fourColour ? JCS_CMYK : JCS_RGB;
  cinfo.scale_num = cinfo.scale_denom = 1;
  jpeg_start_decompress(&cinfo);
  if (!IsAcceptablePictureSize(cinfo.output_width, cinfo.output_height) ||
      cinfo.output_components != (fourColour ? 4 : 3)) {
    Fail(exit, JpegDecode::Corrupt);
  }
  if (!Allocate(out, cinfo.output_width, cinfo.output_height)) Fail(exit, JpegDecode::OutOfMemory);

  JSAMPARRAY cmykRow = nullptr;
  if (fourColour) {
    cmykRow = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                         cinfo.output_width * 4, 1);
  }
  const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * 3;
  while (cinfo.output_scanline < cinfo.output_height) {
    uint8_t* row = out.rgb.data() + stride * cinfo.output_scanline;
    if (fourColour) {
      if (jpeg_read_scanlines(&cinfo, cmykRow, 1) != 1) Fail(exit, JpegDecode::Corrupt);
      CmykToRgb(cmykRow[0], row, cinfo.output_width, cinfo.saw_Adobe_marker);
    } else {
      JSAMPROW rows[1] = {row};
      if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) Fail(exit, JpegDecode::Corrupt);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return JpegDecode::Decoded;
}

}  // namespace

JpegDecode DecodeJpeg(std::span<const uint8_t> data, RgbPicture& picture) {
  if (data.size() < 2 || data[0] != 0xFF || data[1] != 0xD8) return JpegDecode::NotAJpeg;
  if (data.size() > kMaxPictureFileBytes) return JpegDecode::TooLarge;
  RgbPicture decoded;
  const JpegDecode result = DecodeInto(data, decoded);
  if (result == JpegDecode::Decoded) picture = std::move(decoded);
  return result;
}

const char* ToString(JpegDecode value) {
  switch (value) {
    case JpegDecode::Decoded: return "Decoded";
    case JpegDecode::NotAJpeg: return "NotAJpeg";
    case JpegDecode::Corrupt: return "Corrupt";
    case JpegDecode::Truncated: return "Truncated";
    case JpegDecode::TooLarge: return "TooLarge";
    case JpegDecode::OutOfMemory: return "OutOfMemory";
    case JpegDecode::TooMuchWork: return "TooMuchWork";
  }
  return "?";
}

}  // namespace navigator
