#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "platform/Stream.h"
#include "project/BuildPayload.h"
#include "zip/PKZIP.h"

using namespace zemblo;

namespace {
std::string LE32(uint32_t n) {
  return std::string{static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16), static_cast<char>(n >> 24)};
}
}  // namespace

TEST(BuildPayload, TheArchiveHoldsOneEntryWithTheFolderAndOneMoreDelimiter) {
  std::string folder = std::string(1, PathDelim) + "KXPrj" + PathDelim + "Calc" + PathDelim;  // 12 bytes
  std::unique_ptr<TMemoryStream> zip = MakeProjectZip(folder);
  TPKZIP reader;
  ASSERT_TRUE(reader.Open(zip.get()));
  ASSERT_EQ(reader.Entries.size(), 1u);
  EXPECT_EQ(reader.Entries[0].Name, "zemblo.project.path");
  reader.Extract(0);
  EXPECT_EQ(reader.Entries[0].Data, folder + PathDelim);
  EXPECT_EQ(reader.Entries[0].Data.size(), 13u);

  std::string payload = MakePayload(folder)->Bytes();
  EXPECT_EQ(payload, zip->Bytes() + LE32(static_cast<uint32_t>(zip->Size())) + "*VantrelBuilder*");
}

TEST(BuildPayload, ReadingBackTellsAPlainLoaderAProgramAndADamagedOneApart) {
  const std::string image = "\x7F" "ELF and the rest of the loader";
  const std::string folder = "/home/u/Zemblo/Calc/";
  const std::string zip = MakeProjectZip(folder)->Bytes();
  const std::string marker = "*VantrelBuilder*";
  std::string otherEntry;
  {
    TMemoryStream s;
    TPKZIP w;
    w.Stream = &s;
    TMemoryStream data("x");
    w.AddEntry("something.else", data);
    w.WriteDirectory();
    otherEntry = s.Bytes();
  }
  struct Case {
    const char* what;
    std::string file;
    TPayload::TStatus status;
    int64_t imageSize;
    std::string path;
  };
  const Case cases[] = {
      {"a built program", image + zip + LE32(zip.size()) + marker, TPayload::Found, static_cast<int64_t>(image.size()),
       folder + "/"},
      {"an archive at the very start", zip + LE32(zip.size()) + marker, TPayload::Found, 0, folder + "/"},
      {"the loader alone", image, TPayload::None, static_cast<int64_t>(image.size()), ""},
      {"an empty file", "", TPayload::None, 0, ""},
      {"a marker with one letter changed", image + zip + LE32(zip.size()) + "*VantrelBuildex*", TPayload::None,
       static_cast<int64_t>(image.size() + zip.size() + 20), ""},
      {"a length past the start", image + zip + LE32(zip.size() + image.size() + 1) + marker, TPayload::Damaged, 0, ""},
      {"a huge length", image + zip + LE32(0xFFFFFFF0u) + marker, TPayload::Damaged, 0, ""},
      {"a length that misses the archive", image + zip + LE32(zip.size() - 7) + marker, TPayload::Damaged, 0, ""},
      {"an archive without the entry", image + otherEntry + LE32(otherEntry.size()) + marker, TPayload::Damaged, 0, ""},
      {"an empty archive", image + LE32(0) + marker, TPayload::Damaged, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TMemoryStream s(c.file);
    TPayload p = ReadPayload(s);
    EXPECT_EQ(p.Status, c.status) << p.Problem;
    if (c.status != TPayload::Damaged) EXPECT_EQ(p.ImageSize, c.imageSize);
    else EXPECT_FALSE(p.Problem.empty());
    EXPECT_EQ(p.ProjectPath, c.path);
  }
}

TEST(BuildPayload, TheProjectFolderDropsTheExtraDelimiter) {
  EXPECT_EQ(ProjectFolderOf("/a/b//"), "/a/b/");
  EXPECT_EQ(ProjectFolderOf("/a/b/"), "/a/b/");
  EXPECT_EQ(ProjectFolderOf("/a/b"), "/a/b/");
  EXPECT_EQ(ProjectFolderOf("//"), "/");
}
