#include "window/Bitmap.h"

#include <algorithm>
#include <bit>

namespace zemblo {

EInvalidBitmap::EInvalidBitmap(const std::string& reason)
    : Exception("Bitmap image is not valid (" + reason + ")") {}

namespace {

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;
constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kBlack = 0xFF000000u;

// Every read of the file goes through here, so no header field can take us past its end.
class TReader {
 public:
  explicit TReader(std::string_view b) : b_(b) {}
  size_t Size() const { return b_.size(); }
  bool Has(size_t pos, size_t n) const { return pos <= b_.size() && n <= b_.size() - pos; }
  uint8_t U8(size_t pos) const { return static_cast<uint8_t>(b_[pos]); }
  uint16_t U16(size_t pos) const { return static_cast<uint16_t>(U8(pos) | U8(pos + 1) << 8); }
  uint32_t U32(size_t pos) const { return U16(pos) | static_cast<uint32_t>(U16(pos + 2)) << 16; }
  int32_t I32(size_t pos) const { return static_cast<int32_t>(U32(pos)); }

 private:
  std::string_view b_;
};

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return kBlack | r << 16 | g << 8 | b; }

// One colour channel of a 16- or 32-bit pixel: the bits under the mask, scaled to 0..255.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint64_t Max = 0;  // the mask shifted down; 0 for an empty mask (the channel reads 0)

  explicit TChannel(uint32_t mask) : Mask(mask) {
    if (mask) {
      Shift = std::countr_zero(mask);
      Max = mask >> Shift;
    }
  }
  uint32_t Take(uint32_t px) const {
    if (!Max) return 0;
    uint64_t v = (px & Mask) >> Shift;
    return static_cast<uint32_t>((v * 255 + Max / 2) / Max);
  }
};

struct THeader {
  int64_t Width = 0;
  int64_t Height = 0;  // positive; TopDown tells the order of the rows in the file
  bool TopDown = false;
  int Bpp = 0;
  uint32_t Compression = BI_RGB;
  uint32_t ColorsUsed = 0;
  size_t PalettePos = 0;
  size_t PaletteEntrySize = 4;
  uint32_t Masks[3] = {0, 0, 0};  // red, green, blue
};

THeader ReadHeader(const TReader& r) {
  if (!r.Has(0, kFileHeaderSize + 4) || r.U8(0) != 'B' || r.U8(1) != 'M') throw EInvalidBitmap("no bitmap signature");
  THeader h;
  const uint32_t infoSize = r.U32(kFileHeaderSize);
  const size_t info = kFileHeaderSize;
  if (infoSize == 12) {  // the core header of the first bitmaps: 16-bit sizes, 3-byte colours
    if (!r.Has(info, 12)) throw EInvalidBitmap("truncated header");
    h.Width = r.U16(info + 4);
    h.Height = r.U16(info + 6);
    h.Bpp = r.U16(info + 10);
    h.PaletteEntrySize = 3;
    h.PalettePos = info + 12;
  } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 64 || infoSize == 108 ||
             infoSize == 124) {
    if (!r.Has(info, infoSize)) throw EInvalidBitmap("truncated header");
    h.Width = r.I32(info + 4);
    int64_t height = r.I32(info + 8);
    h.TopDown = height < 0;
    h.Height = height < 0 ? -height : height;
    h.Bpp = r.U16(info + 14);
    h.Compression = r.U32(info + 16);
    h.ColorsUsed = r.U32(info + 32);
    h.PalettePos = info + infoSize;
    if (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) {
      // The 64-byte header of the other family uses 3 for its own Huffman coding.
      if (infoSize == 64) throw EInvalidBitmap("unsupported compression");
      size_t maskPos = info + 40;
      if (infoSize == 40) {  // the masks follow the header, before the colour table
        size_t maskBytes = h.Compression == BI_ALPHABITFIELDS ? 16 : 12;
        if (!r.Has(maskPos, maskBytes)) throw EInvalidBitmap("truncated colour masks");
        h.PalettePos += maskBytes;
      }
      for (int i = 0; i < 3; ++i) h.Masks[i] = r.U32(maskPos + 4 * i);
    }
  } else {
    throw EInvalidBitmap("unsupported header size " + std::to_string(infoSize));
  }

  if (h.Width <= 0 || h.Height <= 0) throw EInvalidBitmap("empty or negative size");
  if (h.Width * h.Height > kMaxBitmapPixels) throw EInvalidBitmap("image too large");
  const bool depthOk = h.Bpp == 1 || h.Bpp == 4 || h.Bpp == 8 || h.Bpp == 16 || h.Bpp == 24 || h.Bpp == 32;
  if (!depthOk || (infoSize == 12 && (h.Bpp == 16 || h.Bpp == 32)))
    throw EInvalidBitmap("unsupported colour depth " + std::to_string(h.Bpp));
  switch (h.Compression) {
    case BI_RGB:
      if (h.Bpp == 16) h.Masks[0] = 0x7C00, h.Masks[1] = 0x03E0, h.Masks[2] = 0x001F;
      if (h.Bpp == 32) h.Masks[0] = 0xFF0000, h.Masks[1] = 0xFF00, h.Masks[2] = 0xFF;
      break;
    case BI_RLE8:
      if (h.Bpp != 8) throw EInvalidBitmap("RLE8 needs 8 bits per pixel");
      break;
    case BI_RLE4:
      if (h.Bpp != 4) throw EInvalidBitmap("RLE4 needs 4 bits per pixel");
      break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
      if (h.Bpp != 16 && h.Bpp != 32) throw EInvalidBitmap("colour masks need 16 or 32 bits per pixel");
      break;
    default:
      throw EInvalidBitmap("unsupported compression");
  }
  return h;
}

// The colour table, padded with black to the full 2^bpp entries so that every index a pixel
// can hold has a colour.
std::vector<uint32_t> ReadPalette(const TReader& r, const THeader& h) {
  std::vector<uint32_t> pal;
  if (h.Bpp > 8) return pal;
  const size_t full = size_t(1) << h.Bpp;
  size_t count = h.ColorsUsed && h.ColorsUsed < full ? h.ColorsUsed : full;
  if (h.PalettePos < r.Size())
    count = std::min(count, (r.Size() - h.PalettePos) / h.PaletteEntrySize);
  else
    count = 0;
  pal.assign(full, kBlack);
  for (size_t i = 0; i < count; ++i) {
    size_t p = h.PalettePos + i * h.PaletteEntrySize;
    pal[i] = Rgb(r.U8(p + 2), r.U8(p + 1), r.U8(p));
  }
  return pal;
}

// Where the pixels start: the offset the file header gives, or, when that is 0, right after
// the colour table.
size_t PixelOffset(const TReader& r, const THeader& h) {
  size_t off = r.U32(10);
  if (off == 0) {
    size_t entries = h.Bpp <= 8 ? (h.ColorsUsed && h.ColorsUsed < (1u << h.Bpp) ? h.ColorsUsed : 1u << h.Bpp) : 0;
    off = h.PalettePos + entries * h.PaletteEntrySize;
  }
  if (off >= r.Size()) throw EInvalidBitmap("no pixel data");
  return off;
}

class TImageWriter {
 public:
  TImageWriter(TBitmapData& img, bool topDown) : img_(img), topDown_(topDown) {}
  // Row `fileRow` counted in the order the file stores rows.
  uint32_t* Row(int64_t fileRow) {
    int64_t y = topDown_ ? fileRow : img_.Height - 1 - fileRow;
    return img_.Pixels.data() + y * img_.Width;
  }

 private:
  TBitmapData& img_;
  bool topDown_;
};

void DecodeUncompressed(const TReader& r, const THeader& h, size_t off, const std::vector<uint32_t>& pal,
                        TBitmapData& img) {
  const int64_t stride = (h.Width * h.Bpp + 31) / 32 * 4;
  const int64_t rowBytes = (h.Width * h.Bpp + 7) / 8;
  // The last row may lack its padding; everything else must be there.
  if (static_cast<int64_t>(r.Size() - off) < (h.Height - 1) * stride + rowBytes)
    throw EInvalidBitmap("pixel data truncated");
  const TChannel red(h.Masks[0]), green(h.Masks[1]), blue(h.Masks[2]);
  TImageWriter out(img, h.TopDown);
  for (int64_t row = 0; row < h.Height; ++row) {
    const size_t p = off + row * stride;
    uint32_t* dst = out.Row(row);
    for (int64_t x = 0; x < h.Width; ++x) {
      switch (h.Bpp) {
        case 1: dst[x] = pal[(r.U8(p + x / 8) >> (7 - x % 8)) & 1]; break;
        case 4: dst[x] = pal[(r.U8(p + x / 2) >> (x % 2 ? 0 : 4)) & 15]; break;
        case 8: dst[x] = pal[r.U8(p + x)]; break;
        case 16: {
          uint32_t px = r.U16(p + 2 * x);
          dst[x] = Rgb(red.Take(px), green.Take(px), blue.Take(px));
          break;
        }
        case 24: dst[x] = Rgb(r.U8(p + 3 * x + 2), r.U8(p + 3 * x + 1), r.U8(p + 3 * x)); break;
        case 32: {
          uint32_t px = r.U32(p + 4 * x);
          dst[x] = Rgb(red.Take(px), green.Take(px), blue.Take(px));
          break;
        }
      }
    }
  }
}

// RLE8 and RLE4: pairs of (count, value) runs and escapes (0,0 end of line; 0,1 end of
// bitmap; 0,2 dx dy move; 0,n n literal pixels padded to a 16-bit boundary). Pixels that
// runs place outside the image are dropped; pixels no run reaches keep colour 0.
void DecodeRLE(const TReader& r, const THeader& h, size_t off, const std::vector<uint32_t>& pal, TBitmapData& img) {
  const bool four = h.Compression == BI_RLE4;
  TImageWriter out(img, h.TopDown);
  std::fill(img.Pixels.begin(), img.Pixels.end(), pal[0]);
  int64_t x = 0, y = 0;
  size_t p = off;
  auto put = [&](uint32_t index) {
    if (x < h.Width && y < h.Height) out.Row(y)[x] = pal[index];
    ++x;
  };
  while (y < h.Height && r.Has(p, 2)) {
    const uint8_t count = r.U8(p), value = r.U8(p + 1);
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count && x < h.Width; ++i) put(four ? (i % 2 ? value & 15 : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // move right and down
      if (!r.Has(p, 2)) break;
      x += r.U8(p);
      y += r.U8(p + 1);
      p += 2;
    } else {  // a literal run of `value` pixels
      const size_t bytes = four ? (value + 1) / 2 : value;
      if (!r.Has(p, bytes)) break;
      for (int i = 0; i < value; ++i) {
        uint8_t b = r.U8(p + (four ? i / 2 : i));
        put(four ? (i % 2 ? b & 15 : b >> 4) : b);
      }
      p += (bytes + 1) & ~size_t(1);
    }
  }
}

}  // namespace

TBitmapData DecodeBitmap(std::string_view bytes) {
  const TReader r(bytes);
  const THeader h = ReadHeader(r);
  const size_t off = PixelOffset(r, h);
  const bool rle = h.Compression == BI_RLE8 || h.Compression == BI_RLE4;
  if (rle && h.Width * h.Height > std::max<int64_t>(65536, static_cast<int64_t>(r.Size() - off) * 2048))
    throw EInvalidBitmap("image size out of proportion to its data");
  const std::vector<uint32_t> pal = ReadPalette(r, h);

  TBitmapData img;
  img.Width = static_cast<int>(h.Width);
  img.Height = static_cast<int>(h.Height);
  img.Pixels.resize(static_cast<size_t>(h.Width * h.Height));
  if (rle)
    DecodeRLE(r, h, off, pal, img);
  else
    DecodeUncompressed(r, h, off, pal, img);
  return img;
}

}  // namespace zemblo
