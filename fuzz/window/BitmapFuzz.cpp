// Any bytes as a .bmp file: decoding either fails with EInvalidBitmap or gives an image whose
// buffer holds exactly width times height opaque pixels, never more than the limit.
#include <cstdint>
#include <cstdlib>

#include "window/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    zemblo::TBitmapData img = zemblo::DecodeBitmap(std::string_view(reinterpret_cast<const char*>(data), size));
    if (img.Width <= 0 || img.Height <= 0) std::abort();
    if (img.Pixels.size() != static_cast<size_t>(img.Width) * img.Height) std::abort();
    if (static_cast<int64_t>(img.Pixels.size()) > zemblo::kMaxBitmapPixels) std::abort();
    for (uint32_t px : img.Pixels)
      if ((px >> 24) != 0xFF) std::abort();
  } catch (const zemblo::EInvalidBitmap&) {
  }
  return 0;
}
