#include "zip/CRC32.h"

#include <bit>
#include <cstring>
#include <vector>

#include "platform/Stream.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ZEMBLO_CRC32_CLMUL 1
#endif

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

// Sixteen bytes through the register at once.
inline uint32_t Slice16(uint32_t c, const uint8_t* p) {
  const auto& t = kTables;
  uint32_t a = Load32LE(p) ^ c;
  uint32_t b = Load32LE(p + 4);
  uint32_t d = Load32LE(p + 8);
  uint32_t e = Load32LE(p + 12);
  return t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^
         t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^
         t[7][d & 0xFF] ^ t[6][(d >> 8) & 0xFF] ^ t[5][(d >> 16) & 0xFF] ^ t[4][d >> 24] ^
         t[3][e & 0xFF] ^ t[2][(e >> 8) & 0xFF] ^ t[1][(e >> 16) & 0xFF] ^ t[0][e >> 24];
}

#ifdef ZEMBLO_CRC32_CLMUL

// Where the processor multiplies without carries, long inputs are folded 64 bytes at a
// time: a 128-bit piece moved D bits further down the message is the same remainder as
// the piece times x^D mod P, so four running pieces are multiplied forward and the next
// input is XORed in. In the bit-reflected form the two 64-bit halves of a piece take
// x^(D+32) and x^(D-32) mod P, reflected and shifted left by one.
constexpr uint64_t FoldConstant(unsigned exponent) {
  uint64_t r = 1;  // x^0, ordinary bit order, below x^32
  for (unsigned i = 0; i < exponent; ++i) {
    r <<= 1;
    if (r & (uint64_t{1} << 32)) r ^= 0x104C11DB7ull;
  }
  uint64_t reflected = 0;
  for (int i = 0; i < 32; ++i)
    if (r & (uint64_t{1} << i)) reflected |= uint64_t{1} << (31 - i);
  return reflected << 1;
}
constexpr uint64_t kFold4Low = FoldConstant(4 * 128 + 32), kFold4High = FoldConstant(4 * 128 - 32);
constexpr uint64_t kFold1Low = FoldConstant(128 + 32), kFold1High = FoldConstant(128 - 32);

__attribute__((target("pclmul,sse2"))) inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
  return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}

// Takes whole 16-byte pieces of at least 64 bytes; returns the register after them. The
// folded remainder is finally put through the table as sixteen bytes from a register of 0,
// which is what the remainder stands for.
__attribute__((target("pclmul,sse2"))) uint32_t UpdateClmul(uint32_t c, const uint8_t* p, size_t n) {
  auto load = [](const uint8_t* q) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q)); };
  __m128i x0 = _mm_xor_si128(load(p), _mm_cvtsi32_si128(static_cast<int>(c)));
  __m128i x1 = load(p + 16), x2 = load(p + 32), x3 = load(p + 48);
  p += 64;
  n -= 64;
  const __m128i k4 = _mm_set_epi64x(static_cast<long long>(kFold4High), static_cast<long long>(kFold4Low));
  while (n >= 64) {
    x0 = Fold(x0, k4, load(p));
    x1 = Fold(x1, k4, load(p + 16));
    x2 = Fold(x2, k4, load(p + 32));
    x3 = Fold(x3, k4, load(p + 48));
    p += 64;
    n -= 64;
  }
  const __m128i k1 = _mm_set_epi64x(static_cast<long long>(kFold1High), static_cast<long long>(kFold1Low));
  x0 = Fold(x0, k1, x1);
  x0 = Fold(x0, k1, x2);
  x0 = Fold(x0, k1, x3);
  while (n >= 16) {
    x0 = Fold(x0, k1, load(p));
    p += 16;
    n -= 16;
  }
  alignas(16) uint8_t rest[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(rest), x0);
  return Slice16(0, rest);
}

bool HasClmul() {
  static const bool has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
  return has;
}

#endif

}  // namespace

const std::array<uint32_t, 256>& TCRC32::Table() { return kTables[0]; }

void TCRC32::Update(const void* data, int64_t length) {
  if (length <= 0) return;
  const uint8_t* p = static_cast<const uint8_t*>(data);
  size_t n = static_cast<size_t>(length);
  uint32_t c = reg_;
#ifdef ZEMBLO_CRC32_CLMUL
  if (n >= 256 && HasClmul()) {
    size_t whole = n & ~size_t{15};
    c = UpdateClmul(c, p, whole);
    p += whole;
    n -= whole;
  }
#endif
  for (; n >= 16; p += 16, n -= 16) c = Slice16(c, p);
  while (n--) c = kTables[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
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
