#include <gtest/gtest.h>
#include <sys/stat.h>

#include "BuildFixture.h"
#include "project/AppLogic.h"

using namespace zemblo;
using test::WriteAll;

namespace {
class TRecordingShell : public IAppShell {
 public:
  std::vector<std::string> calls;
  std::vector<std::string> log;
  void Alert(const std::string& m) override { calls.push_back("alert:" + m); }
  void SaveEditorFile() override {}
  bool IsShown() override { return true; }
  void RefreshProject() override {}
  void MinimizeApp() override { calls.push_back("minimize"); }
  void RestoreApp() override { calls.push_back("restore"); }
  void ShowRunLog(const std::vector<std::string>& lines) override {
    calls.push_back("log");
    log = lines;
  }
  void ClearRunLog() override { calls.push_back("clear-log"); }
};

class Run : public test::BuildFixture {
 protected:
  void SetUp() override {
    test::BuildFixture::SetUp();
    AppLogic->SetShell(&shell);
    OpenProject("[Build]\r\nExeName=Calc.exe\r\n");
  }
  // A program that does what `script` says, in the place the build puts it.
  void Program(const std::string& script) {
    WriteAll(dir / "P/exe/Calc.exe", "#!/bin/sh\n" + script);
    ::chmod((dir / "P/exe/Calc.exe").c_str(), 0755);
  }
  TRecordingShell shell;
};
}  // namespace

TEST_F(Run, TheProgramRunsInItsFolderAndItsLogFillsTheMemo) {
  // The log is written relative to the working folder, which must be the program's own.
  Program("printf 'started\\r\\nline two\\n\\nlast' > Calc.log\nexit 3\n");
  EXPECT_EQ(AppLogic->RunProject(), 3);
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"minimize", "restore", "log"}));
  EXPECT_EQ(shell.log, (std::vector<std::string>{"started", "line two", "", "last"}));
}

TEST_F(Run, AProgramWithoutALogClearsTheMemo) {
  Program("exit 0\n");
  AppLogic->RunProject();
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"minimize", "restore", "clear-log"}));
}

TEST_F(Run, NothingBuiltMeansAnAlertAndNoRun) {
  EXPECT_EQ(AppLogic->RunProject(), -1);
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"alert:Executable is not found!"}));
}
