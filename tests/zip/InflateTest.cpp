#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <vector>

#include "SampleData.h"
#include "ZlibDeflate.h"
#include "zip/Inflate.h"

using namespace zemblo;
using zemblo::test::MakeSample;
using zemblo::test::TSampleKind;
using zemblo::test::ZlibDeflate;

namespace {

constexpr size_t kWindow = 32768;

// What the destination holds after a decode of `output` into `destLength` bytes prefilled
// with "?": whole windows while they fit, then the rest if it fits, nothing after a
// window that did not.
std::string Delivered(const std::string& output, size_t destLength) {
  std::string dest(destLength, '?');
  size_t at = 0;
  for (size_t w = 0; w < output.size(); w += kWindow) {
    size_t n = std::min(kWindow, output.size() - w);
    if (n > destLength - at) break;
    dest.replace(at, n, output, w, n);
    at += n;
  }
  return dest;
}

std::string Inflate(const std::string& packed, size_t destLength, char fill = '?') {
  std::string dest(destLength, fill);
  TInflater().Inflate(packed.data(), dest.data(), static_cast<int64_t>(packed.size()), static_cast<int64_t>(destLength));
  return dest;
}

// Hand-made streams: bits go out first bit lowest; Huffman codes first bit highest.
class TBits {
 public:
  TBits& Put(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) PutBit((value >> i) & 1);
    return *this;
  }
  TBits& Code(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) PutBit((code >> i) & 1);
    return *this;
  }
  TBits& Align() {
    while (n_ % 8) PutBit(0);
    return *this;
  }
  TBits& Bytes(const std::string& s) {
    Align();
    bytes_ += s;
    n_ += s.size() * 8;
    return *this;
  }
  std::string Done() const { return bytes_; }

 private:
  void PutBit(uint32_t b) {
    if (n_ % 8 == 0) bytes_ += '\0';
    if (b) bytes_.back() = static_cast<char>(bytes_.back() | (1 << (n_ % 8)));
    ++n_;
  }
  std::string bytes_;
  size_t n_ = 0;
};

// Canonical codes of a set of lengths (RFC 1951, 3.2.2).
std::vector<uint32_t> Canonical(const std::vector<int>& lens) {
  int count[16] = {};
  for (int l : lens) ++count[l];
  count[0] = 0;
  uint32_t next[16] = {}, code = 0;
  for (int b = 1; b < 16; ++b) next[b] = code = (code + count[b - 1]) << 1;
  std::vector<uint32_t> codes(lens.size());
  for (size_t s = 0; s < lens.size(); ++s)
    if (lens[s]) codes[s] = next[lens[s]]++;
  return codes;
}

// A dynamic block: a header for these literal/length and distance lengths, sent as plain
// code-length symbols (or as the given raw code-length symbols), then `symbols`, each a
// literal/length symbol with its extra bits and, for lengths, a distance symbol with its.
struct TSym {
  int lit;
  uint32_t litExtra = 0;
  int dist = -1;  // kRawOne: the single bit 1 instead of a distance code
  uint32_t distExtra = 0;
};
constexpr int kRawOne = -2;
constexpr int kLenExtraBits[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistExtraBits[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

struct TLenSym {
  int sym;
  uint32_t extra = 0;
};

void PutDynamicHeader(TBits& b, bool final, int nlit, int ndist, const std::vector<TLenSym>& lenSyms) {
  b.Put(final, 1).Put(2, 2).Put(nlit - 257, 5).Put(ndist - 1, 5).Put(19 - 4, 4);
  // A complete code-length code: thirteen 4-bit codes and six 5-bit ones.
  std::vector<int> clLens(19);
  for (int s = 0; s < 19; ++s) clLens[s] = s < 13 ? 4 : 5;
  std::vector<uint32_t> clCodes = Canonical(clLens);
  for (int i = 0; i < 19; ++i) b.Put(clLens[kOrder[i]], 3);
  for (const TLenSym& ls : lenSyms) {
    b.Code(clCodes[ls.sym], clLens[ls.sym]);
    if (ls.sym == 16) b.Put(ls.extra, 2);
    if (ls.sym == 17) b.Put(ls.extra, 3);
    if (ls.sym == 18) b.Put(ls.extra, 7);
  }
}

void PutDynamicBlock(TBits& b, bool final, std::vector<int> litLens, std::vector<int> distLens,
                     const std::vector<TSym>& symbols) {
  std::vector<TLenSym> plain;
  for (int l : litLens) plain.push_back({l});
  for (int l : distLens) plain.push_back({l});
  PutDynamicHeader(b, final, static_cast<int>(litLens.size()), static_cast<int>(distLens.size()), plain);
  std::vector<uint32_t> lc = Canonical(litLens), dc = Canonical(distLens);
  for (const TSym& s : symbols) {
    b.Code(lc[s.lit], litLens[s.lit]);
    if (s.lit > 256) b.Put(s.litExtra, kLenExtraBits[s.lit - 257]);
    if (s.dist == kRawOne) b.Code(1, 1);
    if (s.dist >= 0) {
      b.Code(dc[s.dist], distLens[s.dist]);
      b.Put(s.distExtra, kDistExtraBits[s.dist]);
    }
  }
}

std::vector<int> Lengths(int count, std::initializer_list<std::pair<int, int>> symbolLengths) {
  std::vector<int> v(count, 0);
  for (auto [s, l] : symbolLengths) v[s] = l;
  return v;
}

// A fixed-code symbol.
void PutFixed(TBits& b, int sym) {
  if (sym < 144) b.Code(0x30 + sym, 8);
  else if (sym < 256) b.Code(0x190 + sym - 144, 9);
  else if (sym < 280) b.Code(sym - 256, 7);
  else b.Code(0xC0 + sym - 280, 8);
}

std::string StoredBlock(bool final, const std::string& data, bool badNlen = false) {
  uint32_t len = static_cast<uint32_t>(data.size());
  uint32_t nlen = (len ^ 0xFFFF) ^ (badNlen ? 1 : 0);
  TBits b;
  b.Put(final, 1).Put(0, 2).Align().Put(len, 16).Put(nlen, 16).Bytes(data);
  return b.Done();
}

}  // namespace

// Every kind of stream zlib makes decodes to the original, delivered window by window into
// destinations of every interesting size.
TEST(Inflate, DecodesWhatZlibCompresses) {
  struct Setting {
    int level, strategy;
  };
  const Setting settings[] = {{0, Z_DEFAULT_STRATEGY}, {1, Z_DEFAULT_STRATEGY}, {6, Z_DEFAULT_STRATEGY},
                              {9, Z_DEFAULT_STRATEGY}, {6, Z_FILTERED},         {6, Z_HUFFMAN_ONLY},
                              {6, Z_RLE},              {6, Z_FIXED}};
  const size_t sizes[] = {0, 1, 258, 32767, 32768, 32769, 40000, 98304, 98304 + 300, 300000};
  for (TSampleKind kind : {TSampleKind::Text, TSampleKind::Random, TSampleKind::Runs}) {
    for (size_t size : sizes) {
      const std::string data = MakeSample(kind, size, size + 3);
      for (const Setting& s : settings) {
        const std::string packed = ZlibDeflate(data, s.level, s.strategy);
        SCOPED_TRACE(testing::Message() << "kind " << int(kind) << " size " << size << " level " << s.level
                                        << " strategy " << s.strategy);
        ASSERT_EQ(Inflate(packed, size), data);
        ASSERT_EQ(Inflate(packed, size + 1), Delivered(data, size + 1));
        if (size > 0) {
          ASSERT_EQ(Inflate(packed, size - 1), Delivered(data, size - 1));
        }
      }
    }
  }
}

TEST(Inflate, DecodesFlushedStreams) {
  const std::string data = MakeSample(TSampleKind::Text, 150000, 5);
  for (int flush : {Z_SYNC_FLUSH, Z_FULL_FLUSH, Z_PARTIAL_FLUSH, Z_BLOCK}) {
    for (size_t piece : {1, 777, 40000}) {
      if (piece == 1 && flush != Z_SYNC_FLUSH) continue;  // one byte per block once is enough
      const std::string input = piece == 1 ? data.substr(0, 5000) : data;
      ASSERT_EQ(Inflate(ZlibDeflate(input, 6, Z_DEFAULT_STRATEGY, piece, flush), input.size()), input)
          << "flush " << flush << " piece " << piece;
    }
  }
}

// Stored blocks mixed with coded ones: matches reach back into stored data across window
// boundaries, and windows are made of many small stored pieces.
TEST(Inflate, StoredBlocksAmongCodedOnes) {
  const std::string data = MakeSample(TSampleKind::Text, 300000, 8);
  z_stream z{};
  ASSERT_EQ(deflateInit2(&z, 0, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::string packed(deflateBound(&z, data.size()) * 2, '\0');
  z.next_out = reinterpret_cast<Bytef*>(packed.data());
  z.avail_out = static_cast<uInt>(packed.size());
  size_t at = 0;
  for (int k = 0; at < data.size(); ++k) {
    size_t n = std::min<size_t>(data.size() - at, 7000 + 3001 * (k % 7));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data() + at));
    z.avail_in = static_cast<uInt>(n);
    at += n;
    ASSERT_NE(deflate(&z, at == data.size() ? Z_FINISH : Z_BLOCK), Z_STREAM_ERROR);
    deflateParams(&z, k % 2 ? 0 : 6, Z_DEFAULT_STRATEGY);
  }
  packed.resize(z.total_out);
  deflateEnd(&z);
  for (size_t dest : {data.size(), data.size() - 1, size_t{100000}})
    EXPECT_EQ(Inflate(packed, dest), Delivered(data, dest)) << dest;

  // Forty stored blocks of 100 bytes in one window, then a match 4,000 bytes back.
  const std::string small = MakeSample(TSampleKind::Random, 4000, 6);
  std::string stream;
  for (int i = 0; i < 40; ++i) stream += StoredBlock(false, small.substr(i * 100, 100));
  TBits b;
  b.Put(1, 1).Put(1, 2);
  PutFixed(b, 285);            // length 258
  b.Code(23, 5).Put(927, 10);  // distance 3073 + 927 = 4000
  PutFixed(b, 256);
  stream += b.Done();
  EXPECT_EQ(Inflate(stream, 4258), small + small.substr(0, 258));
  // The same pieces ended by a bad block: the window never completes, nothing arrives.
  std::string bad = stream.substr(0, 40 * 105) + TBits().Put(1, 1).Put(3, 2).Done();
  EXPECT_EQ(Inflate(bad, 4258), std::string(4258, '?'));
  // Stored bytes past the end of the input are zeros.
  std::string cut = StoredBlock(true, small).substr(0, 5 + 1000);
  EXPECT_EQ(Inflate(cut, 4000), small.substr(0, 1000) + std::string(3000, '\0'));
}

TEST(Inflate, WholeWindowsAndTheFinalFlush) {
  const std::string data = MakeSample(TSampleKind::Text, 200000, 9);
  const std::string packed = ZlibDeflate(data, 6);
  struct Case {
    size_t output, dest;
  };
  // The decode's output is the first `output` bytes; a second stream is made for each.
  const Case cases[] = {
      {32768, 32768},  // one full window, then a final flush of nothing
      {40000, 40000},  // 32,768 and then 7,232
      {40000, 39999},  // the 7,232 do not fit and are dropped whole
      {40000, 32767},  // not even the first window fits
      {40000, 0},
      // Three windows and 10 bytes into room for one window and 100 bytes: after the second
      // window is dropped nothing follows, so the last 10 bytes do not land in its place.
      {3 * 32768 + 10, 32768 + 100},
      {200000, 200000},
  };
  for (const Case& c : cases) {
    const std::string out = data.substr(0, c.output);
    std::string got = Inflate(ZlibDeflate(out, 6), c.dest);
    EXPECT_EQ(got, Delivered(out, c.dest)) << c.output << " into " << c.dest;
  }
  EXPECT_EQ(Delivered(data.substr(0, 3 * 32768 + 10), 32768 + 100).substr(32768), std::string(100, '?'));
}

TEST(Inflate, StoredAndFixedBlocksByHand) {
  // One final stored block of length 0: nothing arrives, nothing is touched.
  EXPECT_EQ(Inflate(StoredBlock(true, ""), 10), std::string(10, '?'));
  // Invalid block type in the first block.
  EXPECT_EQ(Inflate(TBits().Put(1, 1).Put(3, 2).Done(), 10), std::string(10, '?'));

  // A stored length whose complement does not match: bytes of the first blocks arrive only
  // as far as whole windows were flushed before it.
  const std::string a = MakeSample(TSampleKind::Random, 40000, 1);
  std::string stream = StoredBlock(false, a) + StoredBlock(true, "xyz", true);
  EXPECT_EQ(Inflate(stream, 40003), a.substr(0, 32768) + std::string(7235, '?'));
  // The same with a good complement delivers everything.
  stream = StoredBlock(false, a) + StoredBlock(true, "xyz");
  EXPECT_EQ(Inflate(stream, 40003), a + "xyz");

  // Fixed code: a literal, a match reaching back before the first byte (zeros), then a
  // match of the greatest distance from the end of the first window.
  TBits b;
  b.Put(1, 1).Put(1, 2);
  PutFixed(b, 'A');
  PutFixed(b, 259);  // length 5
  b.Code(2, 5);      // distance 3
  PutFixed(b, 256);
  EXPECT_EQ(Inflate(b.Done(), 6), std::string("A\0\0A\0\0", 6));

  // Distance codes 30 and 31 and literal/length 286 and 287 exist in the fixed code but
  // stand for nothing.
  for (int bad : {30, 31}) {
    TBits c;
    c.Put(1, 1).Put(1, 2);
    PutFixed(c, 'A');
    PutFixed(c, 257);
    c.Code(bad, 5);
    PutFixed(c, 256);
    EXPECT_EQ(Inflate(c.Done(), 4), "????") << bad;
  }
  for (int bad : {286, 287}) {
    TBits c;
    c.Put(1, 1).Put(1, 2);
    PutFixed(c, 'A');
    PutFixed(c, bad);
    PutFixed(c, 256);
    EXPECT_EQ(Inflate(c.Done(), 4), "????") << bad;
  }
}

TEST(Inflate, DynamicHeaders) {
  struct Case {
    const char* what;
    std::vector<int> lit, dist;
    std::vector<TSym> symbols;
    std::string out;  // "?" for a stream that must end in an error
  };
  const std::vector<TSym> aaaa = {{'a'}, {257, 0, 0}, {256}};  // "a", then 3 from 1 back
  const Case cases[] = {
      {"complete codes", Lengths(258, {{'a', 1}, {256, 2}, {257, 2}}), Lengths(2, {{0, 1}, {1, 1}}), aaaa, "aaaa"},
      // RFC 1951 lets a block that uses one distance send it with one bit.
      {"lone distance code", Lengths(258, {{'a', 1}, {256, 2}, {257, 2}}), Lengths(1, {{0, 1}}), aaaa, "aaaa"},
      {"lone code's unused bit", Lengths(258, {{'a', 1}, {256, 2}, {257, 2}}), Lengths(1, {{0, 1}}),
       {{'a'}, {257, 0, kRawOne}, {256}}, "?"},
      {"empty distance code, literals only", Lengths(257, {{'a', 1}, {256, 1}}), Lengths(1, {}), {{'a'}, {'a'}, {256}},
       "aa"},
      {"empty distance code used", Lengths(258, {{'a', 1}, {256, 2}, {257, 2}}), Lengths(1, {}), aaaa, "?"},
      {"incomplete literal code", Lengths(258, {{'a', 1}, {256, 2}}), Lengths(1, {{0, 1}}), {{'a'}, {256}}, "?"},
      {"over-subscribed literal code", Lengths(258, {{'a', 1}, {'b', 1}, {256, 1}}), Lengths(1, {{0, 1}}),
       {{'a'}, {256}}, "?"},
      {"incomplete distance code", Lengths(258, {{'a', 1}, {256, 2}, {257, 2}}), Lengths(3, {{0, 1}, {1, 2}}), aaaa,
       "?"},
      // Codes of 15 bits need second-level tables.
      {"longest codes", [] {
         std::vector<int> l(258, 0);
         for (int s = 0; s < 14; ++s) l['a' + s] = s + 1;  // 'a' 1 bit ... 'n' 14 bits
         l[256] = 15;
         l[257] = 15;
         return l;
       }(),
       Lengths(30, {{29, 1}, {0, 2}, {28, 3}, {27, 4}, {26, 5}, {25, 6}, {24, 7}, {23, 8}, {22, 9}, {21, 10},
                    {20, 11}, {19, 12}, {18, 13}, {17, 14}, {1, 15}, {2, 15}}),
       {{'n'}, {'m'}, {'a'}, {257, 0, 2}, {257, 0, 0}, {256}}, "nmanmaaaa"},
  };
  for (const Case& c : cases) {
    TBits b;
    PutDynamicBlock(b, true, c.lit, c.dist, c.symbols);
    std::string want = c.out == "?" ? std::string(8, '?') : c.out;
    EXPECT_EQ(Inflate(b.Done(), want.size()), want) << c.what;
  }

  auto header = [](int nlit, int ndist, std::vector<TLenSym> lenSyms) {
    TBits b;
    PutDynamicHeader(b, true, nlit, ndist, lenSyms);
    return b.Done();
  };
  // Counts out of range, a repeat past the end, and a leading repeat of "the previous
  // length", which is 0.
  EXPECT_EQ(Inflate(header(287, 1, {}), 4), "????");
  EXPECT_EQ(Inflate(header(257, 31, {}), 4), "????");
  EXPECT_EQ(Inflate(header(257, 1, {{18, 127}, {18, 127}, {17, 7}}), 4), "????");  // 138+138+10 > 258
  {
    // A leading 16 repeats zeros: symbols 0-5 get no code; then 91 more zeros, 'a' (97)
    // with 1 bit, 158 zeros up to 256, which gets 1 bit, and no distances.
    TBits b;
    PutDynamicHeader(b, true, 257, 1, {{16, 3}, {18, 80}, {1}, {18, 127}, {18, 9}, {1}, {0}});
    b.Code(0, 1).Code(0, 1).Code(1, 1);  // "aa", end of block
    EXPECT_EQ(Inflate(b.Done(), 2), "aa");
  }
}

// The decode ends once the input is used up and the destination can take nothing more,
// even when the zeros read past the end keep decoding to literals.
TEST(Inflate, TruncatedStreamsEnd) {
  TBits b;
  std::vector<TLenSym> ls;
  for (int i = 0; i < 97; ++i) ls.push_back({0});
  ls.push_back({1});  // 'a': code 0
  for (int i = 98; i < 256; ++i) ls.push_back({0});
  ls.push_back({1});  // 256: code 1
  ls.push_back({0});  // no distances
  PutDynamicHeader(b, true, 257, 1, ls);
  std::string got = Inflate(b.Done(), 100000);
  EXPECT_EQ(got, std::string(3 * 32768, 'a') + std::string(100000 - 3 * 32768, '?'));

  // A real stream cut anywhere: never more than the destination, the whole windows that
  // came from real input are right.
  const std::string data = MakeSample(TSampleKind::Text, 120000, 2);
  const std::string packed = ZlibDeflate(data, 6);
  for (size_t cut : {size_t{0}, size_t{1}, size_t{100}, packed.size() / 2, packed.size() - 1}) {
    std::string part = packed.substr(0, cut);
    std::string out = Inflate(part, data.size());
    if (cut == packed.size() / 2) {
      EXPECT_EQ(out.substr(0, 32768), data.substr(0, 32768));
    }
  }
}

// Streams that end exactly at the end of their last block decode completely, though the
// decoder looks at bits past the end; and the source buffer is never read past its length.
TEST(Inflate, ReadsNothingPastTheSource) {
  const std::string data = MakeSample(TSampleKind::Text, 5000, 4);
  const std::string packed = ZlibDeflate(data, 9);
  std::vector<char> exact(packed.begin(), packed.end());  // ASan catches reads past the end
  std::string out(data.size(), '?');
  TInflater inf;
  inf.Inflate(exact.data(), out.data(), static_cast<int64_t>(exact.size()), static_cast<int64_t>(out.size()));
  EXPECT_EQ(out, data);
  EXPECT_EQ(inf.InLeft, 0);
  EXPECT_EQ(inf.OutLeft, 0);
  EXPECT_EQ(inf.OutPtr, reinterpret_cast<uint8_t*>(out.data()) + out.size());
  // Every cut of a stream, each in a buffer of exactly its size; the hand-made one makes the
  // fast loop's first pass take three refills just as 16 bytes remain.
  TBits b;
  b.Put(1, 1).Put(1, 2);
  PutFixed(b, 'a');
  PutFixed(b, 'b');
  PutFixed(b, 257);  // length 3
  b.Code(1, 5);      // distance 2
  for (int i = 0; i < 30; ++i) PutFixed(b, 'x');
  PutFixed(b, 256);
  const std::string handMade = b.Done();
  const std::string plain = "ababa" + std::string(30, 'x');
  for (const std::string& whole : {handMade, ZlibDeflate(data.substr(0, 1500), 9)}) {
    for (size_t cut = 0; cut <= whole.size(); ++cut) {
      std::unique_ptr<char[]> part(new char[cut ? cut : 1]);
      std::memcpy(part.get(), whole.data(), cut);
      std::string dest(1500, '?');
      TInflater().Inflate(part.get(), dest.data(), static_cast<int64_t>(cut), static_cast<int64_t>(dest.size()));
      if (cut == whole.size()) {
        EXPECT_EQ(dest.substr(0, plain.size()), whole == handMade ? plain : data.substr(0, plain.size()));
      }
    }
  }
  // Negative lengths count as nothing.
  inf.Inflate(exact.data(), out.data(), -5, -1);
  EXPECT_EQ(out, data);
}
