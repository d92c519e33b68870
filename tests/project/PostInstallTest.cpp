#include <gtest/gtest.h>
#include <stdlib.h>

#include "BuildFixture.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "project/PostInstall.h"
#include "zip/PKZIP.h"

using namespace zemblo;
using test::ReadAll;
using test::WriteAll;

namespace {

// A stored archive with these (name, data) entries in this order.
std::string Zip(const std::vector<std::pair<std::string, std::string>>& entries) {
  TMemoryStream s;
  TPKZIP w;
  w.Stream = &s;
  for (const auto& [name, data] : entries) {
    TMemoryStream d(data);
    w.AddEntry(name, d);
  }
  w.WriteDirectory();
  return s.Bytes();
}

class PostInstall : public test::BuildFixture {
 protected:
  void SetUp() override {
    test::BuildFixture::SetUp();
    const char* old = std::getenv("XDG_DOCUMENTS_DIR");
    oldDocs_ = old ? old : "";
    hadDocs_ = old != nullptr;
    ::setenv("XDG_DOCUMENTS_DIR", (dir / "docs").c_str(), 1);
    ForceDirectories(dir / "docs");
  }
  void TearDown() override {
    if (hadDocs_) ::setenv("XDG_DOCUMENTS_DIR", oldDocs_.c_str(), 1);
    else ::unsetenv("XDG_DOCUMENTS_DIR");
    test::BuildFixture::TearDown();
  }

 private:
  std::string oldDocs_;
  bool hadDocs_ = false;
};

}  // namespace

TEST(PostInstallPaths, EntriesThatWouldLeaveTheDestinationAreRefused) {
  const std::string d(1, PathDelim);
  const std::pair<const char*, std::string> cases[] = {
      {"Main.php", "Main.php"},
      {"images/a.bmp", "images" + d + "a.bmp"},
      {"images\\a.bmp", "images" + d + "a.bmp"},
      {"files/", "files" + d},
      {"./x.txt", "." + d + "x.txt"},
      {"a..b/...", "a..b" + d + "..."},
      {"", ""},
      {"/etc/passwd", ""},
      {"\\windows\\x", ""},
      {"C:x.txt", ""},
      {"c:/x.txt", ""},
      {"../x.txt", ""},
      {"a/../../x.txt", ""},
      {"a/..", ""},
      {"a\\..\\..\\x", ""},
      {"..", ""},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(EntryTargetPath(name), expected) << name;
  EXPECT_EQ(EntryTargetPath(std::string("a\0b", 3)), "");
}

TEST_F(PostInstall, MakeDirPathCreatesEveryLevel) {
  MakeDirPath(dir / "one/two\\three/four");
  EXPECT_TRUE(DirectoryExists(dir / "one/two\\three/four"));
  MakeDirPath(dir / "one/two/");  // existing levels are fine
  EXPECT_TRUE(DirectoryExists(dir / "one/two"));
}

TEST_F(PostInstall, UnzipWritesEveryFileBelowTheDestinationAndNothingElse) {
  WriteAll(dir / "a.zip", Zip({{"Main.php", "<?php ?>"},
                                {"images/", ""},
                                {"images/pic.bmp", "BM..."},
                                {"files\\deep\\t.txt", "text"},
                                {"../escaped.txt", "no"},
                                {"sub/../../escaped2.txt", "no"},
                                {dir / "absolute.txt", "no"},
                                {"Main.php", "second copy wins"}}));
  WriteAll(dir / "dest/Old.txt", "kept");
  UnzipToFolder(dir / "a.zip", dir / "dest/");
  EXPECT_EQ(ReadAll(dir / "dest/Main.php"), "second copy wins");
  EXPECT_EQ(ReadAll(dir / "dest/images/pic.bmp"), "BM...");
  EXPECT_EQ(ReadAll(dir / "dest/files/deep/t.txt"), "text");
  EXPECT_EQ(ReadAll(dir / "dest/Old.txt"), "kept");
  EXPECT_FALSE(FileExists(dir / "escaped.txt"));
  EXPECT_FALSE(FileExists(dir / "escaped2.txt"));
  EXPECT_FALSE(FileExists(dir / "absolute.txt"));
  EXPECT_FALSE(FileExists(dir / "dest/sub/../../escaped2.txt"));

  EXPECT_THROW(UnzipToFolder(dir / "missing.zip", dir / "dest/"), EInOutError);
}

TEST_F(PostInstall, SamplesArriveOnceAndABrokenArchiveCostsOnlyItself) {
  WriteAll(dir / "app/prjzip/Calc.zip", Zip({{"Calc.kxp", "[Build]\r\nExeName=Calc.exe\r\n"}, {"Main.php", "<?php ?>"}}));
  WriteAll(dir / "app/prjzip/Broken.zip", Zip({{"Broken.kxp", "x"}}).substr(0, 40) + std::string(4, '\xFF'));
  WriteAll(dir / "app/prjzip/Demo.zip", Zip({{"Demo.kxp", "demo"}, {"images/a.bmp", "BM"}}));
  WriteAll(dir / "app/prjzip/notes.txt", "not an archive");
  WriteAll(dir / "docs/Zemblo/Demo/Demo.kxp", "mine");  // a project of the same name stays

  InstallSamples();
  std::string projects = dir / "docs/Zemblo/";
  EXPECT_EQ(IDESettings->GetValue("IDE.ProjectsFolder"), projects);
  EXPECT_EQ(ReadAll(projects + "Calc/Main.php"), "<?php ?>");
  EXPECT_EQ(ReadAll(projects + "Demo/Demo.kxp"), "mine");
  EXPECT_FALSE(FileExists(projects + "Demo/images/a.bmp"));
  EXPECT_TRUE(DirectoryExists(projects + "Broken"));
  EXPECT_FALSE(DirectoryExists(projects + "notes"));

  // A second first run leaves what is there alone.
  WriteAll(projects + "Calc/Main.php", "edited");
  InstallSamples();
  EXPECT_EQ(ReadAll(projects + "Calc/Main.php"), "edited");
}

TEST_F(PostInstall, TheKernelUnpacksWhenTheSettingsAskForIt) {
  KernelStop();
  WriteAll(dir / "app/prjzip/Calc.zip", Zip({{"Calc.kxp", "calc"}}));
  WriteAll(dir / "app/zemblo.ini", "[Init]\r\nRequires=1\r\n");
  SystemFunctions = new TSystemFunctions();
  SystemFunctions->SetExeNameForTesting(dir / "app/zemblo");
  KernelStart();
  EXPECT_EQ(ReadAll(dir / "docs/Zemblo/Calc/Calc.kxp"), "calc");
  EXPECT_EQ(ReadAll(dir / "app/zemblo.ini"),
            "[IDE]\r\nProjectsFolder=" + dir / "docs/Zemblo/" + "\r\n\r\n[Init]\r\nRequires=0\r\n\r\n");
}
