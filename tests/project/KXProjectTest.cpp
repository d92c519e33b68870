#include <gtest/gtest.h>

#include "TestUtil.h"
#include "platform/Errors.h"
#include "platform/Stream.h"
#include "project/KXProject.h"

using namespace zemblo;
using test::ReadAll;
using test::WriteAll;

namespace {
const char kResource[] =
    "<?xml version=\"1.0\"?>\r\n<Resource>\r\n <window id=\"MainWnd\"/>\r\n <CONTROL id=\"Ctl\"/>\r\n</Resource>\r\n";
}

TEST(KXProject, LoadSetsTheRunTimeKeysFromThePathNotTheFile) {
  test::TTempDir dir;
  WriteAll(dir / "Calc/Calc.kxp",
           "[RunTime]\r\nFileName=C:\\old.kxp\r\nPrjPath=C:\\old\\\r\n[Resource]\r\nFile=res.xml\r\n");
  WriteAll(dir / "Calc/res.xml", kResource);
  TKXProject p;
  p.Load(dir / "Calc/Calc.kxp");
  EXPECT_EQ(p.INI.GetValue("RunTime.FileName"), dir / "Calc/Calc.kxp");
  EXPECT_EQ(p.INI.GetValue("RunTime.PrjPath"), dir / "Calc/");
  EXPECT_TRUE(p.HasWindow("mainwnd"));
  EXPECT_FALSE(p.HasWindow("Ctl"));
  EXPECT_FALSE(p.HasWindow("Other"));
}

TEST(KXProject, SaveWritesEmptyRunTimeKeysAndKeepsThemInMemory) {
  test::TTempDir dir;
  WriteAll(dir / "A/A.kxp", "[Project]\r\nTitle=A\r\n");
  TKXProject p;
  p.Load(dir / "A/A.kxp");
  p.Save();
  EXPECT_EQ(ReadAll(dir / "A/A.kxp"), "[Project]\r\nTitle=A\r\n\r\n[Resource]\r\nFile=\r\n\r\n"
                                      "[RunTime]\r\nFileName=\r\nPrjPath=\r\n\r\n");
  EXPECT_EQ(p.INI.GetValue("RunTime.FileName"), dir / "A/A.kxp");
}

TEST(KXProject, SaveWritesTheResourceFileEveryTime) {
  test::TTempDir dir;
  WriteAll(dir / "A/A.kxp", "[Resource]\r\nFile=res.xml\r\n");
  WriteAll(dir / "A/res.xml", kResource);
  TKXProject p;
  p.Load(dir / "A/A.kxp");
  p.XML.Root->FindChild("WINDOW", "MainWnd")->SetAttribute("title", "T");
  p.Save();
  EXPECT_NE(ReadAll(dir / "A/res.xml").find("<window id=\"MainWnd\" title=\"T\"/>"), std::string::npos);
}

TEST(KXProject, SaveWithNoProjectOpenDoesNothing) {
  test::TTempDir dir;
  TKXProject p;
  EXPECT_NO_THROW(p.Save());
  EXPECT_FALSE(p.IsOpen());
}

TEST(KXProject, AProjectWithoutAReadableResourceFileStartsWithNoWindows) {
  test::TTempDir dir;
  WriteAll(dir / "A/A.kxp", "[Resource]\r\nFile=res.xml\r\n");
  WriteAll(dir / "A/res.xml", kResource);
  WriteAll(dir / "B/B.kxp", "[Resource]\r\nFile=missing.xml\r\n");
  TKXProject p;
  p.Load(dir / "A/A.kxp");
  ASSERT_TRUE(p.HasWindow("MainWnd"));
  p.Load(dir / "B/B.kxp");
  EXPECT_FALSE(p.XML.Root);
  p.Save();
  EXPECT_FALSE(test::ReadAll(dir / "B/missing.xml").find("MainWnd") != std::string::npos);
}

TEST(KXProject, AnUnreadableProjectFileOpensWithOnlyTheRunTimeKeys) {
  test::TTempDir dir;
  TKXProject p;
  p.INI.SetValue("Old.Key", "x");
  p.Load(dir / "none/none.kxp");
  // Besides the run-time keys only "Resource.File", which opening reads, is there.
  EXPECT_EQ(p.INI.Entries(), (std::vector<std::string>{"RunTime.FileName=" + dir / "none/none.kxp",
                                                       "RunTime.PrjPath=" + dir / "none/", "Resource.File="}));
}

TEST(KXProject, AFailedWriteRestoresTheRunTimeKeysAndKeepsTheOldFile) {
  test::TTempDir dir;
  WriteAll(dir / "A/A.kxp", "[Project]\r\nTitle=old\r\n");
  TKXProject p;
  p.Load(dir / "A/A.kxp");
  p.INI.SetValue("Project.Title", "new");
  SetSafeWriteFailureAfter(0);
  EXPECT_THROW(p.Save(), EInOutError);
  SetSafeWriteFailureAfter(-1);
  EXPECT_TRUE(p.IsOpen());
  EXPECT_EQ(p.INI.GetValue("RunTime.PrjPath"), dir / "A/");
  EXPECT_EQ(ReadAll(dir / "A/A.kxp"), "[Project]\r\nTitle=old\r\n");
}

TEST(KXProject, ReadProjectFileTakesBackslashPathsAndGivesEmptyForMissingFiles) {
  test::TTempDir dir;
  WriteAll(dir / "A/A.kxp", "");
  WriteAll(dir / "A/images/a.bmp", std::string("BM\0\1", 4));
  TKXProject p;
  p.Load(dir / "A/A.kxp");
  EXPECT_EQ(p.ReadProjectFile("images\\a.bmp"), std::string("BM\0\1", 4));
  EXPECT_EQ(p.ReadProjectFile("images\\missing.bmp"), "");
  EXPECT_EQ(p.ReadProjectFile("images"), "");
}
