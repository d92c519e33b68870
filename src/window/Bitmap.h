// The reader of Windows bitmap files (.bmp): background images of boxes and windows, the
// palette's icons and the program icon the executable builder converts. The bytes come from
// users' project folders, so every size in the headers is checked against the data before
// anything is allocated.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Errors.h"

namespace zemblo {

// A decoded image. Invariant: Pixels.size() == Width * Height, Width > 0 and Height > 0;
// row 0 is the top row whatever the file's order; every pixel is 0xFFRRGGBB (the layout of
// QImage::Format_RGB32 and Format_ARGB32). Bitmaps are opaque here: the fourth byte of a
// 32-bit pixel and any alpha mask are not read, as the painting code never blended them.
struct TBitmapData {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;

  uint32_t Pixel(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// The data is not a bitmap we can read: "Bitmap image is not valid (<reason>)".
class EInvalidBitmap : public Exception {
 public:
  explicit EInvalidBitmap(const std::string& reason);
};

// The largest image we agree to decode, in pixels (128 MB of pixel buffer); bigger claims
// are refused before any allocation.
inline constexpr int64_t kMaxBitmapPixels = int64_t(1) << 25;

// Decodes a whole .bmp file: 1, 4 and 8 bits per pixel with a colour table, 16 bits (5-5-5,
// or any masks with BI_BITFIELDS), 24 and 32 bits; bottom-up and top-down; uncompressed,
// RLE8 and RLE4. Headers: the 12-byte core header, the 40-byte info header and its 52, 56,
// 64, 108 and 124-byte successors.
//
// Lenient where the file is still clearly a bitmap: a colour table shorter than it claims
// (missing entries are black), a last row without its padding, an RLE stream that ends
// without its end marker (the rest stays colour 0), a pixel offset of 0 (the data then follows
// the colour table). Everything else raises EInvalidBitmap; in particular uncompressed pixel
// data must all be there, and an RLE image may not claim more than 2048 pixels per byte of
// its compressed data.
TBitmapData DecodeBitmap(std::string_view bytes);

}  // namespace zemblo
