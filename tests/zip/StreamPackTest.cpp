#include <gtest/gtest.h>
#include <zlib.h>

#include <sstream>

#include "SampleData.h"
#include "ZipTestUtil.h"
#include "platform/Errors.h"
#include "platform/Stream.h"
#include "zip/StreamPack.h"

using namespace zemblo;
using namespace zemblo::test;

namespace {

uint32_t Crc(const std::string& s) {
  return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
}

std::string Archive(const std::vector<std::pair<std::string, std::string>>& entries) {
  TMemoryStream m;
  {
    TZIPStrPack pack(m);
    for (const auto& [name, data] : entries) {
      TMemoryStream src(data);
      pack.Add(name, src);
    }
  }
  return m.Bytes();
}

// A stream whose writes start failing on request, as a full disk would.
class TFailingStream : public TMemoryStream {
 public:
  size_t Write(const void* buffer, size_t count) override { return fail ? 0 : TMemoryStream::Write(buffer, count); }
  bool fail = false;
};

// Reports a size it does not have; reading it is never expected.
class THugeStream : public TMemoryStream {
 public:
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    return origin == TSeekOrigin::End ? (int64_t{5} << 30) + offset : TMemoryStream::Seek(offset, origin);
  }
  int64_t Size() override { return int64_t{5} << 30; }
};

}  // namespace

// The builder's payload: one entry named "zemblo.project.path" with P plus a backslash.
TEST(ZIPWriter, BuilderArchiveIsByteExact) {
  const std::string name = "zemblo.project.path";
  const std::string data = "C:\\Projects\\Calc\\\\";
  const uint32_t crc = Crc(data);
  const uint32_t size = static_cast<uint32_t>(data.size());

  std::string want;
  PutLE(want, 0x04034B50, 4);
  for (uint32_t v : {20u, 0u, 0u, 0x7A9Au, 0x30D8u}) PutLE(want, v, 2);
  PutLE(want, crc, 4);
  PutLE(want, size, 4);
  PutLE(want, size, 4);
  PutLE(want, 19, 2);
  PutLE(want, 0, 2);
  want += name + data;
  ASSERT_EQ(want.size(), 49 + data.size());
  PutLE(want, 0x02014B50, 4);
  for (uint32_t v : {20u, 20u, 0u, 0u, 0x7A9Au, 0x30D8u}) PutLE(want, v, 2);
  PutLE(want, crc, 4);
  PutLE(want, size, 4);
  PutLE(want, size, 4);
  for (uint32_t v : {19u, 0u, 0u, 0u, 0u}) PutLE(want, v, 2);
  PutLE(want, 0x81800020u, 4);
  PutLE(want, 0, 4);
  want += name;
  PutLE(want, 0x06054B50, 4);
  for (uint32_t v : {0u, 0u, 1u, 1u}) PutLE(want, v, 2);
  PutLE(want, 65, 4);
  PutLE(want, 49 + size, 4);
  PutLE(want, 0, 2);

  EXPECT_EQ(Hex(Archive({{name, data}})), Hex(want));
}

// What we write, Python's zipfile reads (checking every CRC) and so does our reader.
TEST(ZIPWriter, PythonAndOurReaderReadWhatWeWrite) {
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"zemblo.project.path", "/home/user/Projects/Calc/\\"},
      {"empty", ""},
      {"images/pic.bmp", MakeSample(TSampleKind::Random, 100000, 21)},
      {"a\\b.txt", "backslash kept as it is"},
      {"caf\xE9.txt", "a name byte above 127"},
  };
  const std::string bytes = Archive(entries);
  TTempDir dir;
  WriteAll(dir / "our.zip", bytes);
  ASSERT_EQ(RunZipTool({"read", dir / "our.zip", dir.Path()}, dir / "read.log"), 0) << ReadAll(dir / "read.log");
  std::istringstream log(ReadAll(dir / "read.log"));
  std::string word, status;
  log >> word >> status;
  EXPECT_EQ(status, "OK");
  for (size_t i = 0; i < entries.size(); ++i) {
    std::string nameHex, crc;
    uint64_t size = 0, compressed = 0;
    int method = -1;
    log >> nameHex >> size >> compressed >> crc >> method;
    const auto& [name, data] = entries[i];
    EXPECT_EQ(nameHex, Hex(name));
    EXPECT_EQ(size, data.size());
    EXPECT_EQ(compressed, data.size());
    EXPECT_EQ(method, 0);
    char want[9];
    std::snprintf(want, sizeof want, "%08x", Crc(data));
    EXPECT_EQ(crc, want);
    EXPECT_TRUE(ReadAll(dir / (std::to_string(i) + ".bin")) == data) << name;
  }

  TMemoryStream m(bytes);
  TPKZIP zip;
  EXPECT_TRUE(zip.Open(&m));
  ASSERT_EQ(zip.Entries.size(), entries.size());
  // The walk stops on the signature of the first directory record.
  const auto* end = reinterpret_cast<const uint8_t*>(bytes.data() + bytes.size() - 22);
  const int64_t dirOffset = end[16] | (end[17] << 8) | (end[18] << 16) | (int64_t{end[19]} << 24);
  EXPECT_EQ(m.Position(), dirOffset + 4);
  for (size_t i = 0; i < entries.size(); ++i) {
    zip.Extract(i);
    EXPECT_EQ(zip.Entries[i].Name, entries[i].first);
    EXPECT_TRUE(zip.Entries[i].Data == entries[i].second);
    EXPECT_EQ(zip.Entries[i].CRC32, Crc(entries[i].second));
  }
  // The empty entry: CRC 0, both sizes 0, its data offset is where the next header starts.
  EXPECT_EQ(zip.Entries[1].CRC32, 0u);
  EXPECT_EQ(zip.Entries[1].CompressedSize, 0u);
  EXPECT_EQ(zip.Entries[2].DataOffset, zip.Entries[1].DataOffset + 30 + 14);
}

TEST(ZIPWriter, GetStreamFindsEntriesWithoutRegardToCase) {
  TMemoryStream m;
  TZIPStrPack pack(m);
  TMemoryStream a("first, the longer one"), b("second"), c("\xE9t\xE9");
  pack.Add("Same.txt", a);
  pack.Add("same.TXT", b);
  pack.Add("\xC9T\xC9.txt", c);
  struct Case {
    const char* name;
    std::string data;
  };
  const Case cases[] = {
      {"SAME.TXT", "second the longer one"},  // the second written over the first from 0
      {"\xE9t\xE9.TXT", "\xE9t\xE9"},      // accented capitals match their small letters
      {"missing", ""},
      {"Same", ""},
  };
  for (const Case& k : cases) {
    std::unique_ptr<TMemoryStream> s = pack.GetStream(k.name);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Bytes(), k.data) << k.name;
    EXPECT_EQ(s->Position(), 0);
  }
  TStreamPack base;
  EXPECT_EQ(base.GetStream("x"), nullptr);
}

// A pack over a stream that already holds an archive loads its entries; what it adds goes
// after the old end record, and the new directory lists old and new entries.
TEST(ZIPWriter, AppendsToAnExistingArchive) {
  const std::string first = Archive({{"one", "1111"}});
  TMemoryStream m(first);
  {
    TZIPStrPack pack(m);
    ASSERT_EQ(pack.Pack.Entries.size(), 1u);
    TMemoryStream two("22");
    pack.Add("two", two);
  }
  const std::string bytes = m.Bytes();
  EXPECT_EQ(bytes.substr(0, first.size()), first);
  EXPECT_EQ(bytes.substr(first.size(), 4), "PK\x03\x04");

  TTempDir dir;
  WriteAll(dir / "twice.zip", bytes);
  ASSERT_EQ(RunZipTool({"read", dir / "twice.zip", dir.Path()}, dir / "read.log"), 0) << ReadAll(dir / "read.log");
  EXPECT_EQ(ReadAll(dir / "0.bin"), "1111");
  EXPECT_EQ(ReadAll(dir / "1.bin"), "22");
  EXPECT_NE(ReadAll(dir / "read.log").find("testzip OK"), std::string::npos);

  // Nothing added: the stream keeps exactly its bytes.
  TMemoryStream same(first);
  { TZIPStrPack pack(same); }
  EXPECT_EQ(same.Bytes(), first);
}

// Failures reach the caller; archives the format cannot describe are refused before
// anything is written.
TEST(ZIPWriter, ErrorsAndLimits) {
  TFailingStream target;
  {
    TZIPStrPack pack(target);
    TMemoryStream src("abc");
    target.fail = true;
    EXPECT_THROW(pack.Add("x", src), EWriteError);
    EXPECT_FALSE(pack.Modified);
    EXPECT_TRUE(pack.Pack.Entries.empty());
  }
  target.fail = false;
  EXPECT_THROW(
      {
        TZIPStrPack pack(target);
        TMemoryStream src("abc");
        pack.Add("x", src);
        target.fail = true;
      },
      EWriteError);
  // Destroyed while another error unwinds: that error arrives, the program goes on.
  target.fail = false;
  EXPECT_THROW(
      {
        TZIPStrPack pack(target);
        TMemoryStream src("abc");
        pack.Add("y", src);
        target.fail = true;
        throw std::logic_error("first");
      },
      std::logic_error);

  TMemoryStream m;
  TPKZIP zip;
  zip.Open(&m);
  THugeStream huge;
  EXPECT_THROW(zip.AddEntry("huge", huge), EZIPError);
  TMemoryStream small("s");
  EXPECT_THROW(zip.AddEntry(std::string(70000, 'n'), small), EZIPError);
  EXPECT_EQ(m.Size(), 0);
  TZIPEntry e;
  e.DataOffset = 30 + 1;
  e.Name = "e";
  for (int i = 0; i < 65536; ++i) zip.AppendEntry(e);
  EXPECT_THROW(zip.WriteDirectory(), EZIPError);
  EXPECT_EQ(m.Size(), 0);
  zip.Entries.pop_back();
  zip.WriteDirectory();
  EXPECT_EQ(m.Size(), 65535 * 47 + 22);
}
