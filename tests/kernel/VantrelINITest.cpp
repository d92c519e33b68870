#include <gtest/gtest.h>

#include "TestUtil.h"
#include "kernel/VantrelINI.h"
#include "platform/Errors.h"
#include "platform/Stream.h"

using namespace zemblo;
using test::ReadAll;
using test::TTempDir;
using test::WriteAll;

TEST(VantrelINI, WritesTheSettingsFileByteForByte) {
  TTempDir dir;
  TVantrelINI ini;
  ini.SetValue("Init.Requires", "0");
  ini.SetValue("IDE.ProjectsFolder", "C:\\KXPrj\\");
  ini.SaveToFile(dir / "z.ini");
  EXPECT_EQ(ReadAll(dir / "z.ini"), "[IDE]\r\nProjectsFolder=C:\\KXPrj\\\r\n\r\n[Init]\r\nRequires=0\r\n\r\n");
  TVantrelINI empty;
  empty.SaveToFile(dir / "e.ini");
  EXPECT_EQ(ReadAll(dir / "e.ini"), "\r\n");
}

TEST(VantrelINI, AMissingKeyReadsEmptyAndIsWrittenNextTime) {
  TVantrelINI ini;
  EXPECT_EQ(ini.GetValue("Init.Requires"), "");
  EXPECT_EQ(ini.SaveToString(), "[Init]\r\nRequires=\r\n\r\n");
  ini.GetValue("Init.Requires");
  EXPECT_EQ(ini.Entries().size(), 1u);
}

TEST(VantrelINI, KeysReadWithoutCaseButStoreExactly) {
  TVantrelINI ini;
  ini.SetValue("A.b", "1");
  ini.SetValue("A.B", "2");
  EXPECT_EQ(ini.Entries().size(), 2u);
  EXPECT_EQ(ini.GetValue("a.b"), "2");
  ini.SetValue("A.b", "3");  // replaced in place, still two entries
  EXPECT_EQ(ini.Entries(), (std::vector<std::string>{"A.b=3", "A.B=2"}));
}

TEST(VantrelINI, ConversionsNeverRaise) {
  TVantrelINI ini;
  struct Case { const char* value; int32_t asInt; bool asBool; };
  const Case cases[] = {{"12a", 0, false}, {"", 0, false}, {"-7", -7, false}, {"1", 1, true},
                        {"true", 0, false}, {"01", 1, false}, {"$10", 16, false}};
  for (const auto& c : cases) {
    ini.SetValue("K.v", c.value);
    EXPECT_EQ(ini.GetInt("K.v"), c.asInt) << c.value;
    EXPECT_EQ(ini.GetBool("K.v"), c.asBool) << c.value;
  }
  ini.SetInt("K.n", -42);
  ini.SetBool("K.f", false);
  EXPECT_EQ(ini.GetValue("K.n"), "-42");
  EXPECT_EQ(ini.GetValue("K.f"), "0");
}

TEST(VantrelINI, LoadsLinesAsWritten) {
  TTempDir dir;
  WriteAll(dir / "p.kxp",
           "[Project]\r\n"
           "  Title = My App  \r\n"
           "no equals sign\r\n"
           "\r\n"
           "Expr=a=b\n"
           "[Sec\r\n"
           "k=v\r\n"
           "[]\r\n"
           ";c=comment\r\n"
           "[Edit]\r\n"
           "Files.main.php.Origin.X=3\x1A" "after=eof\r\n");
  TVantrelINI ini;
  ini.LoadFromFile(dir / "p.kxp");
  EXPECT_EQ(ini.Entries(), (std::vector<std::string>{"Project.Title = My App", "Project.Expr=a=b", "Se.k=v",
                                                      ";c=comment", "Edit.Files.main.php.Origin.X=3"}));
  EXPECT_EQ(ini.GetValue("Project.Title "), " My App");
  ini.LoadFromFile(dir / "p.kxp");  // loading twice changes nothing
  EXPECT_EQ(ini.Entries().size(), 5u);
  EXPECT_THROW(ini.LoadFromFile(dir / "missing.ini"), EInOutError);
}

TEST(VantrelINI, SaveSortsAndReadsBackTheSame) {
  TTempDir dir;
  TVantrelINI ini;
  for (const char* e : {"Version.Build=3", "Project.Title=T", "b.x=1", "Editor.Files.a.php.Cursor.X=1",
                        "Resource.File=res.xml", "nodot=1", "Version.Major=1", "A.eq=x=y"})
    ini.SetLine(e);
  ini.SaveToFile(dir / "a.ini");
  std::string first = ReadAll(dir / "a.ini");
  EXPECT_EQ(first,
            "[A]\r\neq=x=y\r\n\r\n[b]\r\nx=1\r\n\r\n[Editor]\r\nFiles.a.php.Cursor.X=1\r\n\r\n[]\r\nnodot=1\r\n\r\n"
            "[Project]\r\nTitle=T\r\n\r\n[Resource]\r\nFile=res.xml\r\n\r\n[Version]\r\nBuild=3\r\nMajor=1\r\n\r\n");
  TVantrelINI back;
  back.LoadFromFile(dir / "a.ini");
  back.SaveToFile(dir / "b.ini");
  EXPECT_EQ(ReadAll(dir / "b.ini"), first);
  EXPECT_EQ(back.GetValue("nodot"), "1");
}

TEST(VantrelINI, SaveIntoAMissingFolderIsSilentAndAFailedWriteKeepsTheOldFile) {
  TTempDir dir;
  TVantrelINI ini;
  ini.SetValue("A.b", "new");
  EXPECT_NO_THROW(ini.SaveToFile(dir / "missing/x.ini"));
  WriteAll(dir / "x.ini", "[A]\r\nb=old\r\n\r\n");
  SetSafeWriteFailureAfter(0);
  EXPECT_THROW(ini.SaveToFile(dir / "x.ini"), EInOutError);
  SetSafeWriteFailureAfter(-1);
  EXPECT_EQ(ReadAll(dir / "x.ini"), "[A]\r\nb=old\r\n\r\n");
}
