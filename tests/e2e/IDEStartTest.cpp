// The IDE as a user meets it: a program folder copied anywhere, started with an empty home.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "ProgramRunner.h"
#include "TestUtil.h"

using namespace zemblo::test;

TEST(IDEStart, RunsUntilTerminatedAndSavesItsSettingsBesideItself) {
  TTempDir dir;
  CopyProgramFolder(dir / "app");
  std::remove((dir / "app/zemblo.ini").c_str());  // a folder without settings: no first run
  std::string home = dir / "home";
  WriteAll(home + "/.keep", "");
  TProgram ide(dir / "app/zemblo", {}, {{"HOME", home}, {"XDG_CONFIG_HOME", home + "/.config"}});
  std::this_thread::sleep_for(std::chrono::seconds(3));
  ASSERT_TRUE(ide.Running()) << ide.Wait(0).Output;
  ide.Signal(SIGTERM);
  TProgramResult r = ide.Wait(5);
  EXPECT_EQ(r.Status, 0) << r.Output;
  // The welcome page reads the projects folder, so its key is written too, empty.
  EXPECT_EQ(ReadAll(dir / "app/zemblo.ini"),
            "[IDE]\r\nLastProject=\r\nProjectsFolder=\r\n\r\n[Init]\r\nRequires=0\r\n\r\n");
}

TEST(IDEStart, VersionAndHelpNeedNoDisplay) {
  TProgramResult v = RunProgram(BinDir() + "zemblo", {"--version"}, {{"QT_QPA_PLATFORM", ""}, {"DISPLAY", ""}}, 20);
  EXPECT_EQ(v.Status, 0);
  EXPECT_EQ(v.Output.rfind("Zemblo ", 0), 0u) << v.Output;
  TProgramResult h = RunProgram(BinDir() + "zemblo", {"--help"}, {{"QT_QPA_PLATFORM", ""}, {"DISPLAY", ""}}, 20);
  EXPECT_EQ(h.Status, 0);
  EXPECT_NE(h.Output.find("--version"), std::string::npos);
}
