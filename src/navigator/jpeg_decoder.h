#pragma once
// JPEG pictures decoded with libjpeg into plain RGB rows. libjpeg's own error handler ends the
// process; ours hands control back, so a damaged file is an answer here, never an exit. The
// picture is decoded into a temporary and replaces the caller's only when the whole of it came
// through, and a file announcing a picture beyond the size limits is refused before anything is
// allocated for it.
//
// A progressive file is decoded scan by scan, and each scan goes over every block of its
// components again, however few bytes it takes in the file: a small file can ask for minutes of
// decoding. The work each scan asks for is counted before libjpeg decodes it, and a file that
// asks for more than any real picture does is refused then.
#include <cstdint>
#include <span>

#include "navigator/background_picture.h"

namespace navigator {

enum class JpegDecode {
  Decoded,
  NotAJpeg,     // no JPEG start marker
  Corrupt,      // libjpeg gave up on the data, or the scans never end
  Truncated,    // the data ends before the picture does
  TooLarge,     // beyond kMaxPictureSide / kMaxPicturePixels
  OutOfMemory,
  TooMuchWork,  // its scans ask for far more decoding than a real picture's
};

// A progressive file is decoded scan by scan; a hostile one can repeat scans without end.
inline constexpr int kMaxJpegScans = 500;

// The work of a scan: each block of its components is visited once per coefficient of the
// scan's band, and costs a fixed part besides, about what eight coefficients cost.
inline constexpr uint64_t kJpegBlockVisitCost = 8;
constexpr uint64_t JpegScanWork(uint64_t blocks, int firstCoefficient, int lastCoefficient) {
  const int band = lastCoefficient - firstCoefficient + 1;
  return blocks * (static_cast<uint64_t>(band > 0 ? band : 0) + kJpegBlockVisitCost);
}
// Decoding the largest picture taken in one sequential scan costs 2^25 * 3 / 64 blocks times
// (64 + kJpegBlockVisitCost), about 110 million; real progressive files ask for two to four times
// what their picture costs so. A file asking for more than kMaxJpegWork in all (about a second of
// decoding, natively) is refused before the scan that passes it is decoded.
inline constexpr uint64_t kMaxJpegWork = uint64_t{1} << 30;

// Decodes `data` at full size into `picture`; `picture` is left alone unless the answer is Decoded.
JpegDecode DecodeJpeg(std::span<const uint8_t> data, RgbPicture& picture);

const char* ToString(JpegDecode value);

}  // namespace navigator
