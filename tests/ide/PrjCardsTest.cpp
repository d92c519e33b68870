#include <gtest/gtest.h>
#include <utime.h>

#include <clocale>
#include <ctime>

#include "TestUtil.h"
#include "ide/PrjCards.h"

using namespace zemblo;
using test::WriteAll;

TEST(ProjectCards, OnlyFoldersWithTheirOwnProjectFileAreListed) {
  test::TTempDir dir;
  WriteAll(dir / "Calc/Calc.kxp", "");
  WriteAll(dir / "VT.NewPrj/New.kxp", "");
  WriteAll(dir / "about/About.KXP", "");  // another letter case is another name here
  WriteAll(dir / "Notes.kxp", "");
  WriteAll(dir / "b/b.kxp", "");
  EXPECT_EQ(ListProjects(dir.Path()), (std::vector<std::string>{"b", "Calc"}));
  EXPECT_TRUE(ListProjects(dir / "missing").empty());
}

TEST(ProjectCards, TitleLineAndLastBuild) {
  std::setlocale(LC_TIME, "C");
  test::TTempDir dir;
  WriteAll(dir / "Calc/Calc.kxp",
           "[Version]\r\nMajor=1\r\nMinor=2\r\n[Project]\r\nDescription=Simple calculator\r\n[Build]\r\nExeName=Calc.exe\r\n");
  WriteAll(dir / "Calc/exe/Calc.exe", "x");
  std::tm when{};
  when.tm_year = 107, when.tm_mon = 2, when.tm_mday = 5, when.tm_hour = 14, when.tm_min = 3, when.tm_isdst = -1;
  std::time_t t = std::mktime(&when);
  utimbuf times{t, t};
  ASSERT_EQ(::utime((dir / "Calc/exe/Calc.exe").c_str(), &times), 0);
  WriteAll(dir / "Bare/Bare.kxp", "[Project]\r\nDescription=Nothing set\r\n");
  WriteAll(dir / "Bare/appicon.bmp", "BM");

  TProjectCard calc = ReadProjectCard(dir.Path(), "Calc");
  EXPECT_EQ(calc.TitleLine, "Calc 1.2 (Simple calculator)");
  EXPECT_EQ(calc.LastBuild, "Last build: 5 March 2007, 14:03.");
  EXPECT_EQ(calc.IconPath, "");
  TProjectCard bare = ReadProjectCard(dir.Path(), "Bare");
  EXPECT_EQ(bare.TitleLine, "Bare . (Nothing set)");
  EXPECT_EQ(bare.LastBuild, "Last build: Never.");
  EXPECT_NE(bare.IconPath, "");
  // The card only reads: the project file is not touched.
  EXPECT_EQ(test::ReadAll(dir / "Bare/Bare.kxp"), "[Project]\r\nDescription=Nothing set\r\n");
}
