#include <gtest/gtest.h>

#include "BuildFixture.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "project/AppLogic.h"
#include "project/KXProject.h"
#include "project/NewItems.h"

using namespace zemblo;
using test::ReadAll;
using test::WriteAll;

namespace {
class NewItems : public test::BuildFixture {
 protected:
  void Template() {
    IDESettings->SetValue("IDE.ProjectsFolder", dir / "projects/");
    WriteAll(dir / "projects/VT.NewPrj/New.kxp", "[Build]\r\nExeName=Program.exe\r\n");
    WriteAll(dir / "projects/VT.NewPrj/Main.php", "<?php ?>");
    WriteAll(dir / "projects/VT.NewPrj/images/skip.bmp", "folders are not copied");
  }
  void WindowProject(const std::string& resource) {
    WriteAll(dir / "P/res.xml", resource);
    OpenProject("[Build]\r\nExeName=P.exe\r\n[Resource]\r\nFile=res.xml\r\n");
  }
};
const char kTwoWindows[] =
    "<?xml version=\"1.0\"?>\r\n<r>\r\n <WINDOW id=\"Main\"/>\r\n <window id=\"newwnd02\">\r\n"
    "  <CONTROL id=\"B\"/>\r\n </window>\r\n</r>\r\n";
}  // namespace

TEST(NewItemsText, TheWindowScriptAndTheProjectName) {
  EXPECT_EQ(WindowScript("NewWnd01"), "<?php\r\n\r\nclass NewWnd01 extends Win32Wnd{}\r\n?>");
  EXPECT_EQ(WindowScript("NewWnd01").size(), 46u);
  EXPECT_EQ(ProjectNameOf("My Project"), "My Project");
  EXPECT_EQ(ProjectNameOf("a/b:c"), "a_b_c");
  EXPECT_EQ(ProjectNameOf("\"*/:<>?\\|"), "_________");
  EXPECT_EQ(ProjectNameOf(" tab\tkept "), " tab\tkept ");
}

TEST_F(NewItems, MakeProjectCopiesTheTemplateUnderAFreeName) {
  Template();
  EXPECT_EQ(MakeProject("My Project"), "My Project");
  EXPECT_EQ(ReadAll(dir / "projects/My Project/My Project.kxp"), "[Build]\r\nExeName=Program.exe\r\n");
  EXPECT_EQ(ReadAll(dir / "projects/My Project/Main.php"), "<?php ?>");
  EXPECT_FALSE(DirectoryExists(dir / "projects/My Project/images"));
  EXPECT_EQ(MakeProject("My Project"), "My Project_2");
  EXPECT_TRUE(FileExists(dir / "projects/My Project_2/My Project_2.kxp"));
  EXPECT_EQ(MakeProject("a/b:c"), "a_b_c");
  EXPECT_EQ(NewProjectFileName("a_b_c"), dir / "projects//a_b_c/a_b_c.kxp");

  // Opened the way the New Project command opens it.
  AppLogic->OpenProject(NewProjectFileName("My Project"));
  EXPECT_EQ(ProjectINI().GetValue("Build.ExeName"), "Program.exe");
}

TEST_F(NewItems, MakeProjectRefusesWithoutAProjectsFolderAndWorksWithoutATemplate) {
  IDESettings->SetValue("IDE.ProjectsFolder", "");
  EXPECT_THROW(MakeProject("X"), EInOutError);
  IDESettings->SetValue("IDE.ProjectsFolder", dir / "empty");
  EXPECT_EQ(MakeProject("X"), "X");
  EXPECT_TRUE(DirectoryExists(dir / "empty/X"));
}

TEST_F(NewItems, TheNewWindowNameSkipsScriptsAndWindowsOfAnyCase) {
  WindowProject(kTwoWindows);
  WriteAll(dir / "P/NewWnd01.php", "");
  EXPECT_EQ(NextWindowName(*AppObjects->Project), "NewWnd03");
  for (int k = 3; k <= 99; ++k) WriteAll(dir / "P/NewWnd" + std::string(k < 10 ? "0" : "") + std::to_string(k) + ".php", "");
  EXPECT_EQ(NextWindowName(*AppObjects->Project), "NewWnd100");
}

TEST_F(NewItems, NewWindowAddsTheElementAndTheScriptThenReadsTheProjectBack) {
  WindowProject(kTwoWindows);
  EXPECT_EQ(AppLogic->NewWindow(), "NewWnd01");
  EXPECT_EQ(ReadAll(dir / "P/NewWnd01.php"), WindowScript("NewWnd01"));
  EXPECT_TRUE(AppObjects->Project->HasWindow("NewWnd01"));
  std::string resource = ReadAll(dir / "P/res.xml");
  EXPECT_NE(resource.find("<WINDOW id=\"NewWnd01\" w=\"400\" h=\"250\" title=\"NewWnd01\"/>"), std::string::npos) << resource;

  // Without a root the script still comes, as a plain script.
  WindowProject("");
  EXPECT_EQ(AppLogic->NewWindow(), "NewWnd02");
  EXPECT_TRUE(FileExists(dir / "P/NewWnd02.php"));
  EXPECT_FALSE(AppObjects->Project->HasWindow("NewWnd02"));
}

TEST_F(NewItems, RemoveWindowNeedsTheWindowAndItsScript) {
  WindowProject(kTwoWindows);
  EXPECT_FALSE(AppLogic->RemoveWindow("NewWnd02"));  // no script: nothing happens
  EXPECT_TRUE(AppObjects->Project->HasWindow("newwnd02"));
  EXPECT_FALSE(AppLogic->RemoveWindow("Other"));

  // The id as the resource file spells it, which is the tab's caption.
  WriteAll(dir / "P/newwnd02.php", WindowScript("newwnd02"));
  EXPECT_TRUE(AppLogic->RemoveWindow("newwnd02"));
  EXPECT_FALSE(FileExists(dir / "P/newwnd02.php"));
  EXPECT_FALSE(AppObjects->Project->HasWindow("NewWnd02"));
  EXPECT_TRUE(AppObjects->Project->HasWindow("Main"));
  EXPECT_EQ(ReadAll(dir / "P/res.xml").find("CONTROL"), std::string::npos) << "its controls go with it";
}

TEST_F(NewItems, NothingHappensWithoutAnOpenProject) {
  EXPECT_EQ(AppLogic->NewWindow(), "");
  EXPECT_FALSE(FileExists("NewWnd01.php"));
}
