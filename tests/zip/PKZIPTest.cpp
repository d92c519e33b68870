#include <gtest/gtest.h>
#include <zlib.h>

#include "SampleData.h"
#include "ZipTestUtil.h"
#include "ZlibDeflate.h"
#include "platform/Errors.h"
#include "platform/Stream.h"
#include "zip/PKZIP.h"

using namespace zemblo;
using namespace zemblo::test;

namespace {

constexpr uint32_t kAuto = 0xFFFFFFFFu;

// A local entry as bytes, sizes taken from the data unless given.
std::string Local(const std::string& name, const std::string& data, uint16_t method = 0, uint16_t flags = 0,
                  uint32_t compressed = kAuto, uint32_t uncompressed = kAuto, const std::string& extra = "") {
  std::string s;
  PutLE(s, 0x04034B50, 4);
  PutLE(s, 20, 2);
  PutLE(s, flags, 2);
  PutLE(s, method, 2);
  PutLE(s, 0x1234, 2);
  PutLE(s, 0x5678, 2);
  PutLE(s, 0xDEADBEEF, 4);
  PutLE(s, compressed == kAuto ? static_cast<uint32_t>(data.size()) : compressed, 4);
  PutLE(s, uncompressed == kAuto ? static_cast<uint32_t>(data.size()) : uncompressed, 4);
  PutLE(s, static_cast<uint32_t>(name.size()), 2);
  PutLE(s, static_cast<uint32_t>(extra.size()), 2);
  return s + name + extra + data;
}

std::vector<std::string> Names(const TPKZIP& zip) {
  std::vector<std::string> names;
  for (const TZIPEntry& e : zip.Entries) names.push_back(e.Name);
  return names;
}

}  // namespace

// Archives as Python writes them, stored and at every deflate level, walked over a file
// stream and extracted byte for byte.
TEST(PKZIP, ReadsWhatPythonWrites) {
  TTempDir dir;
  struct Content {
    const char* name;
    std::string data;  // a folder entry when null
    bool folder = false;
  };
  const std::vector<Content> contents = {
      {"empty.txt", ""},
      {"folder/", "", true},
      {"folder/sub/", "", true},
      {"folder/text.php", MakeSample(TSampleKind::Text, 100000, 11)},
      {"exact32k.bin", MakeSample(TSampleKind::Random, 32768, 12)},
      {"forty.txt", MakeSample(TSampleKind::Text, 40000, 13)},
      {"runs.bin", MakeSample(TSampleKind::Runs, 70000, 14)},
      {"random.bin", MakeSample(TSampleKind::Random, 50000, 15)},
      {"with-extra.txt", "an entry whose local header has an extra field"},
      {"small.txt", "hello"},
  };
  for (size_t i = 0; i < contents.size(); ++i)
    if (!contents[i].folder) WriteAll(dir / ("src" + std::to_string(i)), contents[i].data);

  for (int level = 0; level <= 9; ++level) {
    SCOPED_TRACE(testing::Message() << "level " << level);
    const std::string archive = dir / ("l" + std::to_string(level) + ".zip");
    std::vector<std::string> args = {"make", archive};
    for (size_t i = 0; i < contents.size(); ++i) {
      const Content& c = contents[i];
      std::string source = c.folder ? "-" : dir / ("src" + std::to_string(i));
      if (std::string(c.name) == "with-extra.txt") source = "extra:" + source;
      args.insert(args.end(), {c.name, level ? "deflated" : "stored", std::to_string(level ? level : 6), source});
    }
    ASSERT_EQ(RunZipTool(args, dir / "make.log"), 0) << ReadAll(dir / "make.log");

    TFileStream file(archive, TFileStream::fmOpenRead);
    TPKZIP zip;
    ASSERT_TRUE(zip.Open(&file));
    ASSERT_EQ(zip.Entries.size(), contents.size());
    for (size_t i = 0; i < contents.size(); ++i) {
      TZIPEntry& e = zip.Entries[i];
      EXPECT_EQ(e.Name, contents[i].name);
      EXPECT_EQ(e.UncompressedSize, contents[i].data.size());
      EXPECT_EQ(e.Method, contents[i].folder || level == 0 ? 0 : 8) << e.Name;
      EXPECT_EQ(e.CRC32, crc32(0, reinterpret_cast<const Bytef*>(contents[i].data.data()),
                               static_cast<uInt>(contents[i].data.size())));
      zip.Extract(i);
      EXPECT_TRUE(e.Data == contents[i].data) << e.Name;
    }
    EXPECT_EQ(zip.Entries[8].ExtraLength, 9);
  }
}

TEST(PKZIP, WalkEdgeCases) {
  const std::string one = Local("one", "first");
  const std::string two = Local("two", "second!");
  std::string directory;
  PutLE(directory, 0x02014B50, 4);
  directory += "rest of a directory record";

  struct Case {
    const char* what;
    std::string bytes;
    int64_t start;
    bool result;
    std::vector<std::string> names;
    int64_t endPos;  // where the walk leaves the stream; -1 for the stream's end
  };
  const Case cases[] = {
      {"empty stream", "", 0, true, {}, 0},
      {"three bytes", "PK\x03", 0, false, {}, 3},
      {"two entries, then the directory", one + two + directory, 0, true, {"one", "two"},
       static_cast<int64_t>(one.size() + two.size() + 4)},
      {"from the current position on", one + two, static_cast<int64_t>(one.size()), true, {"two"}, -1},
      {"end record ends the walk", one + "PK\x05\x06" + two, 0, true, {"one"}, static_cast<int64_t>(one.size() + 4)},
      {"stray bytes skipped four at a time", "junkjunk" + one, 0, true, {"one"}, -1},
      {"a header off the four-byte grid is never found", "junk!!" + one, 0, true, {}, -1},
      {"header cut short", one + two.substr(0, 20), 0, true, {"one"}, static_cast<int64_t>(one.size() + 20)},
      {"name cut short", one + two.substr(0, 31), 0, true, {"one"}, static_cast<int64_t>(one.size() + 31)},
      {"size past the end", Local("big", "abc", 0, 0, 1000) + two, 0, false, {"big"}, 30 + 3 + 1000},
      {"extra field past the end", Local("x", "", 0, 0, kAuto, kAuto, std::string(5, 'e')).substr(0, 32), 0,
       false, {"x"}, 36},
  };
  for (const Case& c : cases) {
    TMemoryStream s(c.bytes);
    s.SetPosition(c.start);
    TPKZIP zip;
    EXPECT_EQ(zip.Open(&s), c.result) << c.what;
    EXPECT_EQ(Names(zip), c.names) << c.what;
    EXPECT_EQ(s.Position(), c.endPos < 0 ? s.Size() : c.endPos) << c.what;
    EXPECT_EQ(zip.Stream, &s);
  }
  TPKZIP zip;
  zip.Entries.resize(2);
  EXPECT_FALSE(zip.Open(nullptr));
  EXPECT_TRUE(zip.Entries.empty());
  EXPECT_EQ(zip.Stream, nullptr);
}

// An entry written with a data descriptor has zero sizes in its header: it lists as
// empty and the walk steps through its data until it meets the next header.
TEST(PKZIP, DataDescriptorEntriesAreSteppedThrough) {
  std::string bytes = Local("desc", "", 8, 0x08);  // 34 bytes
  bytes += ZlibDeflate("0123456789", 9).substr(0, 12);
  bytes.resize(34 + 12, 'z');
  PutLE(bytes, 0x08074B50, 4);  // the descriptor: unknown to the walk
  bytes += std::string(12, 'd');
  bytes += Local("next", "data");
  TMemoryStream s(bytes);
  TPKZIP zip;
  EXPECT_TRUE(zip.Open(&s));
  ASSERT_EQ(Names(zip), (std::vector<std::string>{"desc", "next"}));
  zip.Extract(0);
  zip.Extract(1);
  EXPECT_EQ(zip.Entries[0].Data, "");
  EXPECT_EQ(zip.Entries[1].Data, "data");
}

TEST(PKZIP, ExtractFillsWhatItCannotRead) {
  const std::string text = MakeSample(TSampleKind::Text, 3000, 3);
  const std::string packed = ZlibDeflate(text, 9);
  std::string bytes = Local("stored", "abc") +                                // 0
                      Local("deflated", packed, 8, 0, kAuto, 3000) +          // 1
                      Local("bzip2", "compressed", 12, 0, kAuto, 20) +        // 2
                      Local("says more", "xyz", 0, 0, kAuto, 8) +             // 3
                      Local("stops early", packed, 8, 0, kAuto, 2000) +       // 4
                      Local("damaged", "\xFF\xFF\xFF", 8, 0, kAuto, 5) +      // 5
                      Local("cut", packed.substr(0, 400), 8, 0, 500, 3000);  // 6
  TMemoryStream s(bytes);
  TPKZIP zip;
  zip.Open(&s);
  ASSERT_EQ(zip.Entries.size(), 7u);
  for (size_t i = 0; i < zip.Entries.size(); ++i) zip.Extract(i);
  EXPECT_EQ(zip.Entries[0].Data, "abc");
  EXPECT_TRUE(zip.Entries[1].Data == text);
  EXPECT_EQ(zip.Entries[2].Data, std::string(20, '?'));
  // A stored entry reads as many bytes as it claims, whatever follows its data.
  EXPECT_EQ(zip.Entries[3].Data, "xyz" + bytes.substr(bytes.find("says more") + 9 + 3, 5));
  // Less room than the stream decodes to: the last window does not fit and is dropped.
  EXPECT_EQ(zip.Entries[4].Data, std::string(2000, '?'));
  EXPECT_EQ(zip.Entries[5].Data, "?????");
  EXPECT_EQ(zip.Entries[6].Data.size(), 3000u);

  EXPECT_THROW(zip.Extract(7), EListError);
  TPKZIP none;
  none.AppendEntry(zip.Entries[0]);
  EXPECT_THROW(none.Extract(0), EZIPError);
}

// An entry may not make the reader allocate more than DEFLATE could ever expand its share
// of the archive to; the error names the entry.
TEST(PKZIP, OversizedClaimsAreRefused) {
  struct Case {
    uint16_t method;
    uint32_t compressed, uncompressed;
    bool refused;
  };
  // The entry "huge.bin" takes 30 + 8 + 10 bytes in an archive of the same size.
  const Case cases[] = {
      {0, 10, 0xFFFFFFF0u, true},   {8, 10, 0xFFFFFFF0u, true}, {12, 10, 0xFFFFFFF0u, true},
      {8, 10, 48 * 1032 + 1, true}, {8, 10, 48 * 1032, false},  {0, 10, 100, false},
      {8, 100000, 48 * 1032 + 1, true},  // a compressed size beyond the stream does not count
  };
  for (const Case& c : cases) {
    TMemoryStream s(Local("huge.bin", "0123456789", c.method, 0, c.compressed, c.uncompressed));
    TPKZIP zip;
    zip.Open(&s);
    ASSERT_EQ(zip.Entries.size(), 1u);
    if (!c.refused) {
      EXPECT_NO_THROW(zip.Extract(0));
      EXPECT_EQ(zip.Entries[0].Data.size(), c.uncompressed);
      continue;
    }
    try {
      zip.Extract(0);
      ADD_FAILURE() << "no error for " << c.uncompressed;
    } catch (const EZIPError& e) {
      EXPECT_NE(std::string(e.what()).find("\"huge.bin\""), std::string::npos) << e.what();
      EXPECT_TRUE(zip.Entries[0].Data.empty());
    }
  }
}
