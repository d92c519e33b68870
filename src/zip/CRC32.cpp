#include "zip/CRC32.h"

#include <bit>
#include <cstring>
#include <vector>

#include "platform/Stream.h"

namespace zemblo {

namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;
constexpr int kSlices = 16;
constexpr size_t kStreamChunk = 32768;

using TSliceTables = std::array<std::array<uint32_t, 256>, kSlices>;

// Slice 0 is the classic table. Slice k advances a byte through k further zero bytes, so
// sixteen lookups fold sixteen input bytes into the register at once and give exactly the
// value the byte-at-a-time loop gives.
constexpr TSliceTables MakeTables() {
  TSliceTables t{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ kPolynomial : c >> 1;
    t[0][n] = c;
  }
  for (int s = 1; s < kSlices; ++s)
    for (uint32_t n = 0; n < 256; ++n) t[s][n] = (t[s - 1][n] >> 8) ^ t[0][t[s - 1][n] & 0xFF];
  return t;
}

constexpr TSliceTables kTables = MakeTables();
static_assert(kTables[0][1] == 0x77073096u && kTables[0][255] == 0x2D02EF8Du);

inline uint32_t Load32LE(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
  return v;
}

}  // namespace

const std::array<uint32_t, 256>& TCRC32::Table() { return kTables[0]; }

void TCRC32::Update(const void* data, int64_t length) {
  if (length <= 0) return;
  const uint8_t* p = static_cast<const uint8_t*>(data);
  size_t n = static_cast<size_t>(length);
  uint32_t c = reg_;
  const auto& t = kTables;
  while (n >= 16) {
    uint32_t a = Load32LE(p) ^ c;
    uint32_t b = Load32LE(p + 4);
    uint32_t d = Load32LE(p + 8);
    uint32_t e = Load32LE(p + 12);
    c = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^
        t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^
        t[7][d & 0xFF] ^ t[6][(d >> 8) & 0xFF] ^ t[5][(d >> 16) & 0xFF] ^ t[4][d >> 24] ^
        t[3][e & 0xFF] ^ t[2][(e >> 8) & 0xFF] ^ t[1][(e >> 16) & 0xFF] ^ t[0][e >> 24];
    p += 16;
    n -= 16;
  }
  while (n--) c = t[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
  reg_ = c;
}

void TCRC32::UpdateStream(TStream& stream) {
  stream.SetPosition(0);
  int64_t left = stream.Size();
  std::vector<uint8_t> chunk(static_cast<size_t>(std::min<int64_t>(left, kStreamChunk)));
  while (left > 0) {
    size_t n = static_cast<size_t>(std::min<int64_t>(left, kStreamChunk));
    stream.ReadBuffer(chunk.data(), n);
    Update(chunk.data(), static_cast<int64_t>(n));
    left -= static_cast<int64_t>(n);
  }
}

}  // namespace zemblo
