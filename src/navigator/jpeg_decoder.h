#pragma once
// JPEG pictures decoded with libjpeg into plain RGB rows. libjpeg's own error handler ends the
// process; ours hands control back, so a damaged file is an answer here, never an exit. The
// picture is decoded into a temporary and replaces the caller's only when the whole of it came
// through, and a file announcing a picture beyond the size limits is refused before anything is
// allocated for it.
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
};

// A progressive file is decoded scan by scan; a hostile one can repeat scans without end.
inline constexpr int kMaxJpegScans = 500;

// Decodes `data` at full size into `picture`; `picture` is left alone unless the answer is Decoded.
JpegDecode DecodeJpeg(std::span<const uint8_t> data, RgbPicture& picture);

const char* ToString(JpegDecode value);

}  // namespace navigator
