#include <gtest/gtest.h>

#include "TestUtil.h"
#include "kernel/AppKernel.h"
#include "kernel/AppObjects.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "project/AppLogic.h"

using namespace zemblo;
using test::ReadAll;
using test::WriteAll;

namespace {
int g_firstRuns = 0;
void CountFirstRun() { ++g_firstRuns; }

// The kernel as the program runs it, with the program folder in a private temp folder.
class Kernel : public ::testing::Test {
 protected:
  void Start() {
    SystemFunctions = new TSystemFunctions();
    SystemFunctions->SetExeNameForTesting(dir / "zemblo");
    KernelStart();
  }
  void TearDown() override {
    if (IDESettings) KernelStop();
    SetFirstRunHook(nullptr);
  }
  test::TTempDir dir;
};
}  // namespace

TEST_F(Kernel, FirstStartWritesTheFlagAndTheEndAddsTheLastProject) {
  Start();
  EXPECT_EQ(ReadAll(dir / "zemblo.ini"), "[Init]\r\nRequires=0\r\n\r\n");
  EXPECT_FALSE(AppObjects->Project->IsOpen());
  KernelStop();
  EXPECT_EQ(ReadAll(dir / "zemblo.ini"), "[IDE]\r\nLastProject=\r\n\r\n[Init]\r\nRequires=0\r\n\r\n");
}

TEST_F(Kernel, TheFirstRunFlagUnpacksOnce) {
  SetFirstRunHook(&CountFirstRun);
  g_firstRuns = 0;
  WriteAll(dir / "zemblo.ini", "[Init]\r\nRequires=1\r\n");
  Start();
  EXPECT_EQ(g_firstRuns, 1);
  KernelStop();
  Start();
  EXPECT_EQ(g_firstRuns, 1);
}

TEST_F(Kernel, ReopensTheLastProjectOnlyWhenItExists) {
  WriteAll(dir / "P/P.kxp", "[Project]\r\nTitle=Demo\r\n");
  WriteAll(dir / "zemblo.ini", "[IDE]\r\nLastProject=" + dir / "P/P.kxp" + "\r\n");
  Start();
  EXPECT_EQ(ProjectINI().GetValue("Project.Title"), "Demo");
  EXPECT_EQ(ProjectINI().GetValue("RunTime.PrjPath"), dir / "P/");
  KernelStop();

  WriteAll(dir / "zemblo.ini", "[IDE]\r\nLastProject=" + dir / "gone.kxp" + "\r\n");
  Start();
  EXPECT_FALSE(AppObjects->Project->IsOpen());
  EXPECT_EQ(IDESettings->GetValue("IDE.LastProject"), dir / "gone.kxp");
}
