#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestUtil.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Resources.h"
#include "platform/Text.h"

using namespace zemblo;
using zemblo::test::TTempDir;

TEST(Text, IntegerConversionFollowsTheSettingsRules) {
  struct Case { const char* text; std::optional<int32_t> value; };
  const Case cases[] = {
      {"12", 12},         {"-7", -7},          {"  42", 42},       {"+3", 3},
      {"$1F", 31},        {"$FFFFFFFF", -1},   {"-$10", -16},      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},              {"2147483648", std::nullopt},
      {"12a", std::nullopt}, {"", std::nullopt}, {"42 ", std::nullopt}, {"$", std::nullopt},
      {"-", std::nullopt}, {"0x10", std::nullopt}, {"1.5", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TryStrToInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(Text, CaseFoldingAndCollation) {
  EXPECT_TRUE(SameText("WINDOW", "window"));
  EXPECT_FALSE(SameText("\xE9", "\xC9"));  // only ASCII folds here
  EXPECT_EQ(AnsiUpperCase("stra\xDF" "e \xE9t\xE9 \xFF"), "STRA\xDF" "E \xC9T\xC9 \x9F");
  EXPECT_LT(AnsiCompareText("IDE.ProjectsFolder=x", "Init.Requires=0"), 0);
  EXPECT_LT(AnsiCompareText("a=1", "B=1"), 0);
  EXPECT_LT(AnsiCompareText("A.b=1", "A.bc=1"), 0);
  EXPECT_EQ(AnsiCompareText("co-op", "coop"), -1);  // equal but for the hyphen: tie broken
  EXPECT_LT(AnsiCompareText("_x", "1"), 0);          // punctuation before digits
  EXPECT_LT(AnsiCompareText("9", "a"), 0);           // digits before letters
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
}

TEST(Paths, TakeApartAndBuild) {
  EXPECT_EQ(ExtractFilePath("/opt/zemblo/zemblo"), "/opt/zemblo/");
  EXPECT_EQ(ExtractFilePath("images\\a.bmp"), "images\\");
  EXPECT_EQ(ExtractFileName("/a/b.kxp"), "b.kxp");
  EXPECT_EQ(ExtractFileExt("/a.b/c"), "");
  EXPECT_EQ(ExtractFileExt("x/Main.PHP"), ".PHP");
  EXPECT_EQ(ChangeFileExt("/p/exe/Calc.exe", ".log"), "/p/exe/Calc.log");
  EXPECT_EQ(ChangeFileExt("/p.d/zemblo", ".ini"), "/p.d/zemblo.ini");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), std::string("/a") + PathDelim);
  EXPECT_EQ(NativePath("images\\x.bmp"), std::string("images") + PathDelim + "x.bmp");
}

TEST(FileSystem, ListingIsSortedWithoutRegardToCaseAndFiltered) {
  TTempDir dir;
  for (const char* n : {"b.zip", "A.zip", "c.txt", "a2.ZIP"}) zemblo::test::WriteAll(dir / n, "x");
  CreateDir(dir / "sub.zip");
  std::vector<std::string> names;
  for (const auto& e : ListFolder(dir.Path(), "*.zip")) names.push_back(e.Name + (e.IsDir ? "/" : ""));
  EXPECT_EQ(names, (std::vector<std::string>{"A.zip", "a2.ZIP", "b.zip", "sub.zip/"}));
  EXPECT_EQ(ListFolder(dir.Path(), "*.*").size(), 5u);
  EXPECT_TRUE(ListFolder(dir / "missing", "*").empty());
}

TEST(FileSystem, ForceDirectoriesAndCopy) {
  TTempDir dir;
  EXPECT_TRUE(ForceDirectories(dir / "a/b/c/"));
  EXPECT_TRUE(DirectoryExists(dir / "a/b/c"));
  zemblo::test::WriteAll(dir / "f", std::string("\0\r\n", 3));
  ::chmod((dir / "f").c_str(), 0755);
  EXPECT_TRUE(CopyFile(dir / "f", dir / "g", true));
  EXPECT_EQ(zemblo::test::ReadAll(dir / "g"), std::string("\0\r\n", 3));
  struct stat st;
  ASSERT_EQ(::stat((dir / "g").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);
  EXPECT_FALSE(CopyFile(dir / "f", dir / "g", true));
  EXPECT_FALSE(CopyFile(dir / "missing", dir / "h", false));
}

TEST(FileSystem, WholeFileReadsRaiseTheOpenError) {
  TTempDir dir;
  try {
    ReadFileBytes(dir / "missing");
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + (dir / "missing") + "\". ", 0), 0u);
  }
  EXPECT_THROW(WriteFileBytes(dir / "no/such/folder/x", "a"), EFCreateError);
}

TEST(Process, RunAndWaitUsesTheWorkingFolderAndWaits) {
  TTempDir dir;
  zemblo::test::WriteAll(dir / "p.sh", "#!/bin/sh\nsleep 0.1\npwd > out.txt\nexit 3\n");
  ::chmod((dir / "p.sh").c_str(), 0755);
  EXPECT_EQ(RunAndWait(dir / "p.sh", "", dir.Path()), 3);
  EXPECT_EQ(zemblo::test::ReadAll(dir / "out.txt"), ExcludeTrailingPathDelimiter(dir.Path()) + "\n");
  EXPECT_EQ(RunAndWait(dir / "missing", "", dir.Path()), -1);
}

TEST(Resources, FoundByNameWithoutRegardToCase) {
  RegisterResource("TestRes", "abc");
  ASSERT_TRUE(FindResource("TESTRES"));
  EXPECT_EQ(*FindResource("testres"), "abc");
  EXPECT_FALSE(FindResource("nothing"));
}
