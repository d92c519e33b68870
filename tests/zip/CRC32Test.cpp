#include <gtest/gtest.h>
#include <zlib.h>

#include "SampleData.h"
#include "platform/Stream.h"
#include "zip/CRC32.h"

using namespace zemblo;
using zemblo::test::MakeSample;
using zemblo::test::TSampleKind;

namespace {

uint32_t CrcOf(const std::string& s) {
  TCRC32 c;
  c.Update(s.data(), static_cast<int64_t>(s.size()));
  return c.Value();
}

// A stream that counts the reads it is asked for, to see the chunking.
class TCountingStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  size_t Read(void* buffer, size_t count) override {
    reads.push_back(count);
    return TMemoryStream::Read(buffer, count);
  }
  std::vector<size_t> reads;
};

}  // namespace

TEST(CRC32, KnownValuesAndTable) {
  EXPECT_EQ(CrcOf("123456789"), 0xCBF43926u);
  EXPECT_EQ(CrcOf(""), 0u);
  EXPECT_EQ(CrcOf("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
  EXPECT_EQ(TCRC32::Table()[1], 0x77073096u);
  EXPECT_EQ(TCRC32::Table()[255], 0x2D02EF8Du);
}

// The sliced loop must give the byte-at-a-time value for every length and alignment,
// however the input is split between calls.
TEST(CRC32, EverySplitAndAlignmentMatchesTheReference) {
  const std::string data = MakeSample(TSampleKind::Random, 4096 + 64, 7);
  for (size_t offset = 0; offset < 16; ++offset) {
    for (size_t len : {0, 1, 7, 15, 16, 17, 31, 33, 100, 255, 256, 257, 271, 319, 320, 1000, 4096}) {
      const char* p = data.data() + offset;
      uint32_t want = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(p), static_cast<uInt>(len)));
      TCRC32 whole;
      whole.Update(p, static_cast<int64_t>(len));
      ASSERT_EQ(whole.Value(), want) << "offset " << offset << " length " << len;
      TCRC32 pieces;
      for (size_t done = 0, step = 1; done < len; done += step, step = step * 3 % 37 + 1)
        pieces.Update(p + done, static_cast<int64_t>(std::min(step, len - done)));
      ASSERT_EQ(pieces.Value(), want) << "offset " << offset << " length " << len;
    }
  }
}

TEST(CRC32, ValueKeepsTheRegisterAndResetRestarts) {
  TCRC32 c;
  c.Update("12345", 5);
  (void)c.Value();
  c.Update("6789", 4);
  EXPECT_EQ(c.Value(), 0xCBF43926u);
  c.Update("x", 0);
  c.Update("x", -3);
  EXPECT_EQ(c.Value(), 0xCBF43926u);
  c.Reset();
  EXPECT_EQ(c.Value(), 0u);
}

TEST(CRC32, UpdateStreamReadsAllFromTheStartInChunks) {
  const std::string data = MakeSample(TSampleKind::Text, 70000);
  TCountingStream s(data);
  s.SetPosition(50000);
  TCRC32 c;
  c.UpdateStream(s);
  EXPECT_EQ(c.Value(), CrcOf(data));
  EXPECT_EQ(s.reads, (std::vector<size_t>{32768, 32768, 4464}));
  EXPECT_EQ(s.Position(), 70000);

  TMemoryStream empty;
  TCRC32 e;
  e.UpdateStream(empty);
  EXPECT_EQ(e.Value(), 0u);
}
