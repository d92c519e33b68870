#include <gtest/gtest.h>

#include <cstring>

#include "TestUtil.h"
#include "window/Bitmap.h"

using namespace zemblo;

namespace {

// The pictures fuzz/window/make_bitmaps.py writes into the seed corpus: 5 by 3 pixels.
constexpr int kW = 5, kH = 3;

uint32_t Opaque(int r, int g, int b) { return 0xFF000000u | (r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF); }
int R(int x, int) { return (40 * x + 20) & 0xFF; }
int G(int, int y) { return (80 * y + 30) & 0xFF; }
int B(int x, int y) { return (23 * (x + y) + 60) & 0xFF; }
uint32_t TrueColour(int x, int y) { return Opaque(R(x, y), G(x, y), B(x, y)); }
uint32_t PaletteColour(int i) { return Opaque(i * 37, 255 - i * 53, i * 91 + 7); }
uint32_t Indexed(int x, int y, int colours) { return PaletteColour((x + 2 * y) % colours); }
int Scale(int v, int bits) { int max = (1 << bits) - 1; return (v * 255 + max / 2) / max; }
uint32_t From555(int x, int y) { return Opaque(Scale(R(x, y) >> 3, 5), Scale(G(x, y) >> 3, 5), Scale(B(x, y) >> 3, 5)); }
uint32_t From565(int x, int y) { return Opaque(Scale(R(x, y) >> 3, 5), Scale(G(x, y) >> 2, 6), Scale(B(x, y) >> 3, 5)); }

std::string Corpus(const std::string& name) { return test::ReadAll(test::SourceDir() + "fuzz/window/corpus/bitmap/" + name); }

std::string Describe(const TBitmapData& img) {
  std::string s;
  char buf[16];
  for (int y = 0; y < img.Height; ++y) {
    for (int x = 0; x < img.Width; ++x) {
      std::snprintf(buf, sizeof buf, "%06X ", img.Pixel(x, y) & 0xFFFFFF);
      s += buf;
    }
    s += "\n";
  }
  return s;
}

}  // namespace

TEST(Bitmap, DecodesEveryDepthAndRowOrderToTheExpectedPixels) {
  struct Case {
    const char* file;
    uint32_t (*expected)(int x, int y);
  };
  const Case cases[] = {
      {"pal1_bu.bmp", [](int x, int y) { return Indexed(x, y, 2); }},
      {"pal1_td.bmp", [](int x, int y) { return Indexed(x, y, 2); }},
      {"pal4_bu.bmp", [](int x, int y) { return Indexed(x, y, 16); }},
      {"pal4_td.bmp", [](int x, int y) { return Indexed(x, y, 16); }},
      {"pal8_bu.bmp", [](int x, int y) { return Indexed(x, y, 256); }},
      {"pal8_td.bmp", [](int x, int y) { return Indexed(x, y, 256); }},
      {"pal8_v5_16colours.bmp", [](int x, int y) { return Indexed(x, y, 16); }},
      {"core4.bmp", [](int x, int y) { return Indexed(x, y, 16); }},
      {"core24.bmp", TrueColour},
      {"rgb555_bu.bmp", From555},
      {"rgb555_td.bmp", From555},
      {"rgb565_bu.bmp", From565},
      {"rgb565_td.bmp", From565},
      {"rgb24_bu.bmp", TrueColour},
      {"rgb24_td.bmp", TrueColour},
      {"rgb32_bu.bmp", TrueColour},
      {"rgb32_td.bmp", TrueColour},
      {"bitfields32_v4.bmp", TrueColour},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TBitmapData img = DecodeBitmap(Corpus(c.file));
    ASSERT_EQ(img.Width, kW);
    ASSERT_EQ(img.Height, kH);
    TBitmapData want = img;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) want.Pixels[y * kW + x] = c.expected(x, y);
    EXPECT_EQ(Describe(img), Describe(want));
  }
}

TEST(Bitmap, RunLengthStreamsPlaceRunsLiteralsMovesAndLineEnds) {
  // Palette indices per row, top row first; cells no run reaches keep colour 0.
  struct Case {
    const char* file;
    int indices[kH][kW];
  };
  const Case cases[] = {
      // a run of 3, a literal run cut at the right edge, end of line, a move, end of bitmap
      {"rle8.bmp", {{0, 0, 0, 9, 0}, {7, 7, 0, 0, 0}, {1, 1, 1, 4, 5}}},
      // alternating nibbles, a literal run of three nibbles padded to a word
      {"rle4.bmp", {{15, 0, 0, 0, 0}, {3, 4, 5, 0, 0}, {1, 2, 1, 2, 1}}},
      // the data ends without the end marker
      {"rle8_unterminated.bmp", {{0, 0, 0, 0, 0}, {3, 3, 3, 3, 3}, {2, 2, 2, 2, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TBitmapData img = DecodeBitmap(Corpus(c.file));
    TBitmapData want = img;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) want.Pixels[y * kW + x] = PaletteColour(c.indices[y][x]);
    EXPECT_EQ(Describe(img), Describe(want));
  }
}

namespace {

// A 2 by 2, 24-bit bottom-up file whose header fields the cases below break one at a time.
std::string Valid24() {
  std::string f(14 + 40 + 16, '\0');
  auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) f[at + i] = char(v >> (8 * i)); };
  auto put16 = [&](size_t at, uint16_t v) { f[at] = char(v); f[at + 1] = char(v >> 8); };
  f[0] = 'B', f[1] = 'M';
  put32(2, static_cast<uint32_t>(f.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, 2);
  put32(22, 2);
  put16(26, 1);
  put16(28, 24);
  for (int i = 0; i < 16; ++i) f[54 + i] = char(0x10 + i);
  return f;
}

std::string With(std::string f, size_t at, uint32_t v, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) f[at + i] = char(v >> (8 * i));
  return f;
}

}  // namespace

TEST(Bitmap, RefusesWhatIsNotAValidBitmapWithAClearError) {
  ASSERT_NO_THROW(DecodeBitmap(Valid24()));
  struct Case {
    const char* what;
    std::string bytes;
    const char* reason;
  };
  const std::string v = Valid24();
  const Case cases[] = {
      {"empty", "", "no bitmap signature"},
      {"another format", "\x89PNG\r\n\x1a\n" + std::string(60, '\0'), "no bitmap signature"},
      {"header cut short", v.substr(0, 30), "truncated header"},
      {"unknown header size", With(v, 14, 41), "unsupported header size 41"},
      {"zero width", With(v, 18, 0), "empty or negative size"},
      {"negative width", With(v, 18, uint32_t(-2)), "empty or negative size"},
      {"zero height", With(v, 22, 0), "empty or negative size"},
      {"giant claim", With(With(v, 18, 40000), 22, 40000), "image too large"},
      {"pixels cut short", v.substr(0, v.size() - 8), "pixel data truncated"},
      {"pixels claimed beyond the end", With(v, 22, 100), "pixel data truncated"},
      {"pixel offset past the end", With(v, 10, 5000), "no pixel data"},
      {"depth 7", With(v, 28, 7, 2), "unsupported colour depth 7"},
      {"RLE8 at 24 bits", With(v, 30, 1), "RLE8 needs 8 bits per pixel"},
      {"masks at 24 bits", With(v, 30, 3), "colour masks need 16 or 32 bits per pixel"},
      {"JPEG inside", With(v, 30, 4), "unsupported compression"},
      {"RLE out of proportion", With(With(With(With(v, 28, 8, 2), 30, 1), 18, 30000), 22, 1000),
       "image size out of proportion to its data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      DecodeBitmap(c.bytes);
      ADD_FAILURE() << "decoded";
    } catch (const EInvalidBitmap& e) {
      EXPECT_EQ(e.Message(), std::string("Bitmap image is not valid (") + c.reason + ")");
    }
  }
  for (const char* f : {"broken_truncated.bmp", "broken_giant.bmp", "broken_depth.bmp", "broken_signature.bmp"}) {
    SCOPED_TRACE(f);
    EXPECT_THROW(DecodeBitmap(Corpus(f)), EInvalidBitmap);
  }
}

TEST(Bitmap, AcceptsTheLooseEndsRealFilesHave) {
  // A zero pixel offset: the pixels follow the header (and colour table).
  TBitmapData a = DecodeBitmap(With(Valid24(), 10, 0));
  EXPECT_EQ(a.Pixel(0, 1), Opaque(0x12, 0x11, 0x10));
  // The row stored last (the top row of a bottom-up file) may lack its padding.
  TBitmapData b = DecodeBitmap(Valid24().substr(0, Valid24().size() - 2));
  EXPECT_EQ(b.Pixel(1, 0), Opaque(0x1D, 0x1C, 0x1B));
  // A colour table of fewer entries than the depth allows: the other indices read black.
  TBitmapData c = DecodeBitmap(With(Corpus("pal4_bu.bmp"), 14 + 32, 2));
  EXPECT_EQ(c.Pixel(1, 0), PaletteColour(1));
  EXPECT_EQ(c.Pixel(2, 0), Opaque(0, 0, 0));
}
