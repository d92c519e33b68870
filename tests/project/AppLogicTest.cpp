#include <gtest/gtest.h>

#include "TestUtil.h"
#include "kernel/AppKernel.h"
#include "kernel/AppObjects.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "project/AppLogic.h"

using namespace zemblo;

namespace {
class TRecordingShell : public IAppShell {
 public:
  std::vector<std::string> calls;
  bool shown = true;
  void Alert(const std::string& m) override { calls.push_back("alert:" + m); }
  void SaveEditorFile() override { calls.push_back("save-editor"); }
  bool IsShown() override { return shown; }
  void RefreshProject() override { calls.push_back("refresh"); }
  void MinimizeApp() override { calls.push_back("minimize"); }
  void RestoreApp() override { calls.push_back("restore"); }
  void ShowRunLog(const std::vector<std::string>&) override { calls.push_back("log"); }
  void ClearRunLog() override { calls.push_back("clear-log"); }
};

class Logic : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemFunctions = new TSystemFunctions();
    SystemFunctions->SetExeNameForTesting(dir / "zemblo");
    KernelStart();
    AppLogic->SetShell(&shell);
    test::WriteAll(dir / "P/P.kxp", "[Project]\r\nTitle=P\r\n");
  }
  void TearDown() override { KernelStop(); }
  test::TTempDir dir;
  TRecordingShell shell;
};
}  // namespace

TEST_F(Logic, OpenRemembersTheProjectAndRefreshesAShownWindow) {
  AppLogic->OpenProject(dir / "P/P.kxp");
  EXPECT_EQ(IDESettings->GetValue("IDE.LastProject"), dir / "P/P.kxp");
  EXPECT_EQ(shell.calls, std::vector<std::string>{"refresh"});
  shell.shown = false;
  AppLogic->OpenProject(dir / "P/P.kxp");
  EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(Logic, SaveWritesTheEditorFileFirstAndReopenReadsBack) {
  AppLogic->OpenProject(dir / "P/P.kxp");
  ProjectINI().SetValue("Project.Title", "Changed");
  shell.calls.clear();
  AppLogic->ReopenProject();
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"save-editor", "refresh"}));
  EXPECT_EQ(ProjectINI().GetValue("Project.Title"), "Changed");
  EXPECT_EQ(IDESettings->GetValue("IDE.LastProject"), dir / "P/P.kxp");
}
