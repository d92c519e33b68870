#include <gtest/gtest.h>
#include <sys/stat.h>

#include "BuildFixture.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"
#include "project/BuildPayload.h"
#include "project/KXProject.h"

using namespace zemblo;
using test::ReadAll;
using test::WriteAll;

namespace {

class Builder : public test::BuildFixture {
 protected:
  void Build() {
    TProjectBuilder b;
    b.Build(*AppObjects->Project);
  }
  // Where the fake loader's icon pixels start.
  int64_t IconAt() { return 20000 + 40; }
};

std::string PatternBytes() { return std::string(reinterpret_cast<const char*>(kIconPattern.data()), kIconPattern.size()); }

}  // namespace

TEST_F(Builder, WithoutAnIconTheProgramIsTheLoaderAndThePayload) {
  std::string loader = ReadAll(dir / "app/loader/ZembloLdr.exe");
  OpenProject();
  Build();
  std::string exe = ReadAll(Exe());
  std::string folder = dir / "P/";
  std::string payload = MakePayload(folder)->Bytes();
  EXPECT_EQ(exe, loader + payload);

  // Archive, its length, the marker; the entry holds the folder and one more delimiter.
  EXPECT_EQ(exe.substr(exe.size() - 16), "*VantrelBuilder*");
  uint32_t n = static_cast<uint8_t>(exe[exe.size() - 20]) | static_cast<uint8_t>(exe[exe.size() - 19]) << 8 |
               static_cast<uint8_t>(exe[exe.size() - 18]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(exe[exe.size() - 17])) << 24;
  EXPECT_EQ(n, payload.size() - 20);
  TMemoryStream file(exe);
  TPayload read = ReadPayload(file);
  ASSERT_EQ(read.Status, TPayload::Found) << read.Problem;
  EXPECT_EQ(read.ProjectPath, folder + "/");
  EXPECT_EQ(read.ImageSize, static_cast<int64_t>(loader.size()));

  struct stat st;
  ASSERT_EQ(::stat(Exe().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0755u) << "the program keeps the loader's right to run";
  EXPECT_EQ(ProjectINI().GetValue("Version.Build"), "1");
}

TEST_F(Builder, TheIconReplacesTheLoadersPixelsBottomRowFirstWithAnOpaqueMask) {
  std::string loader = ReadAll(dir / "app/loader/ZembloLdr.exe");
  // 16 by 16: the top-left quarter of the icon; the rest is black.
  auto colour = [](int x, int y) -> uint32_t { return static_cast<uint32_t>(x * 16) << 16 | static_cast<uint32_t>(y * 16) << 8 | 0x40; };
  WriteAll(dir / "P/appicon.bmp", test::MakeBmp(16, 16, colour));
  OpenProject();
  Build();
  std::string exe = ReadAll(Exe());

  std::string expected;
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; ++x) {
      uint32_t c = x < 16 && y < 16 ? colour(x, y) : 0;
      expected += static_cast<char>(c & 0xFF);
      expected += static_cast<char>((c >> 8) & 0xFF);
      expected += static_cast<char>((c >> 16) & 0xFF);
    }
  expected += std::string(128, '\0');
  EXPECT_EQ(exe.substr(IconAt(), 3200), expected);
  EXPECT_EQ(exe.substr(0, IconAt()), loader.substr(0, IconAt()));
  EXPECT_EQ(exe.substr(IconAt() + 3200, loader.size() - IconAt() - 3200), loader.substr(IconAt() + 3200));
}

TEST_F(Builder, EveryDepthAndRowOrderGivesTheSameIcon) {
  // A larger picture is cut to its top-left 32 by 32 pixels.
  auto colour = [](int x, int y) -> uint32_t { return (x + y) % 3 == 0 ? 0xFF8000 : (x < 20 ? 0x102030 : 0xFFFFFF); };
  const std::string reference = IconPixelsFromBitmap(test::MakeBmp(40, 36, colour));
  EXPECT_EQ(IconPixelsFromBitmap(test::MakeBmp(40, 36, colour, 24, true)), reference);
  EXPECT_EQ(IconPixelsFromBitmap(test::MakeBmp(40, 36, colour, 8, false)), reference);
  EXPECT_EQ(IconPixelsFromBitmap(test::MakeBmp(40, 36, colour, 8, true)), reference);

  // The reader's seed pictures of every depth, both row orders, build into a program.
  for (const char* name : {"pal1_bu.bmp", "pal1_td.bmp", "pal4_bu.bmp", "pal4_td.bmp", "pal8_bu.bmp", "pal8_td.bmp",
                           "rgb555_bu.bmp", "rgb565_td.bmp", "rgb24_bu.bmp", "rgb24_td.bmp", "rgb32_bu.bmp",
                           "rgb32_td.bmp", "rle8.bmp", "rle4.bmp"}) {
    SCOPED_TRACE(name);
    WriteAll(dir / "P/appicon.bmp", ReadAll(test::SourceDir() + "fuzz/window/corpus/bitmap/" + name));
    OpenProject();
    EXPECT_NO_THROW(Build());
    EXPECT_NE(ReadAll(Exe()).substr(IconAt(), 3072), std::string(3072, '\x55'));
  }
}

TEST_F(Builder, TheSearchTakesThePatternNearestTheStartWithinTheLastBlocks) {
  struct Case {
    const char* what;
    std::string file;
    int64_t expected;
  };
  const std::string p = PatternBytes();
  auto at = [&](size_t size, std::initializer_list<size_t> places) {
    std::string s(size, 'x');
    for (size_t place : places) s.replace(place, p.size(), p);
    return s;
  };
  const size_t size = 300 * 4096 + 100;
  const Case cases[] = {
      {"one match", at(size, {size - 500}), static_cast<int64_t>(size - 500) - 3010},
      {"two matches: the earlier wins", at(size, {size - 500, size - 9000}), static_cast<int64_t>(size - 9000) - 3010},
      {"two in one block: the first in the block", at(size, {size - 300, size - 4000}),
       static_cast<int64_t>(size - 4000) - 3010},
      {"straddling two blocks", at(size, {size - 4096 - 20}), -1},
      {"before the last 255 blocks", at(size, {size - 255 * 4096 - 100}), -1},
      {"first byte of block 255", at(size, {size - 255 * 4096}), static_cast<int64_t>(size - 255 * 4096) - 3010},
      {"too near the start for an icon", at(5000, {1000}), -1},
      {"a file smaller than a block", at(4000, {3500}), -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TMemoryStream s(c.file);
    EXPECT_EQ(FindIconOffset(s), c.expected);
  }
}

TEST_F(Builder, BuildingTwiceGivesTheSameProgramAndRaisesTheCounterByTwo) {
  WriteAll(dir / "P/appicon.bmp", test::MakeBmp(32, 32, [](int x, int y) -> uint32_t { return x * y * 997; }));
  OpenProject("[Build]\r\nExeName=P.exe\r\n[Version]\r\nBuild=41\r\n");
  Build();
  std::string first = ReadAll(Exe());
  Build();
  EXPECT_EQ(ReadAll(Exe()), first);
  EXPECT_EQ(ProjectINI().GetValue("Version.Build"), "43");
}

TEST_F(Builder, TheRuntimeLibraryIsCopiedWhenTheProgramFolderHasOne) {
  OpenProject();
  Build();
  EXPECT_FALSE(FileExists(dir / "P/exe/php5ts.dll"));
  WriteAll(dir / "app/loader/php5ts.dll", "runtime");
  WriteAll(dir / "P/exe/php5ts.dll", "old");
  Build();
  EXPECT_EQ(ReadAll(dir / "P/exe/php5ts.dll"), "runtime");
}

TEST_F(Builder, FailuresStopTheBuildWithAClearMessageAndKeepTheCounter) {
  struct Case {
    const char* what;
    std::string kxp;
    std::function<void()> prepare;
    std::string message;        // the start of the error's text
    std::string output;         // the program file afterwards ("-" when there is none)
  };
  const std::string loader = ReadAll(dir / "app/loader/ZembloLdr.exe");
  WriteAll(dir / "P/Main.php", "");
  const Case cases[] = {
      {"no program name", "[Version]\r\nBuild=5\r\n", nullptr,
       "Cannot create file \"" + dir / "P/exe/" + "\". The project's option \"Produced exe-file\" is empty.", "-"},
      {"a name that leaves exe/", "[Build]\r\nExeName=../Main.php\r\n[Version]\r\nBuild=5\r\n", nullptr,
       "Cannot create file \"" + dir / "P/exe/../Main.php" + "\". The program's name must not name a folder.", "-"},
      {"a missing loader", "[Build]\r\nExeName=P.exe\r\n[Version]\r\nBuild=5\r\n",
       [this] { DeleteFile(dir / "app/loader/ZembloLdr.exe"); },
       "Cannot open file \"" + dir / "app/loader/ZembloLdr.exe" + "\".", ""},
      {"an icon that is no bitmap", "[Build]\r\nExeName=P.exe\r\n[Version]\r\nBuild=5\r\n",
       [this] { WriteAll(dir / "P/appicon.bmp", "GIF89a not a bitmap"); },
       "Cannot use the icon \"" + dir / "P/appicon.bmp" + "\". Bitmap image is not valid", loader},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFile(Exe());
    DeleteFile(dir / "P/appicon.bmp");
    SetLoader(loader);
    if (c.prepare) c.prepare();
    OpenProject(c.kxp);
    try {
      Build();
      ADD_FAILURE() << "the build went through";
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, c.message.size()), c.message) << e.what();
    }
    if (c.output == "-") EXPECT_FALSE(FileExists(Exe()));
    else EXPECT_EQ(ReadAll(Exe()), c.output);
    EXPECT_EQ(ProjectINI().GetValue("Version.Build"), "5");
    EXPECT_EQ(ReadAll(dir / "P/Main.php").size(), 0u) << "nothing outside exe/ is written";
  }
}
