#include <gtest/gtest.h>

#include <QTest>

#include "TestUtil.h"
#include "ide/PrjList.h"
#include "kernel/AppKernel.h"
#include "kernel/AppObjects.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "project/AppLogic.h"

using namespace zemblo;
using test::WriteAll;

namespace {
class ProjectList : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemFunctions = new TSystemFunctions();
    SystemFunctions->SetExeNameForTesting(dir / "app/zemblo");
    KernelStart();
    IDESettings->SetValue("IDE.ProjectsFolder", dir / "prj");
  }
  void TearDown() override { KernelStop(); }
  test::TTempDir dir;
};
}  // namespace

TEST_F(ProjectList, AnEmptyFolderShowsNoCardsAndReportsNothing) {
  TProjectList list;
  std::vector<std::string> selected;
  list.OnSelect = [&](const std::string& n) { selected.push_back(n); };
  list.FillList();
  EXPECT_EQ(list.rowCount(), 0);
  EXPECT_TRUE(selected.empty());
}

TEST_F(ProjectList, SelectsAndReportsTheOpenProject) {
  for (const char* n : {"Alpha", "Calc", "Zeta"}) WriteAll(dir / "prj/" + n + "/" + n + ".kxp", "");
  AppLogic->OpenProject(dir / "prj/Calc/Calc.kxp");
  TProjectList list;
  std::vector<std::string> selected, opened;
  list.OnSelect = [&](const std::string& n) { selected.push_back(n); };
  list.OnOpen = [&](const std::string& n) { opened.push_back(n); };
  list.resize(500, 300);
  list.show();
  list.FillList();
  ASSERT_EQ(list.rowCount(), 3);
  EXPECT_EQ(list.currentRow(), 1);
  EXPECT_EQ(selected, std::vector<std::string>{"Calc"});

  QRect zeta = list.visualRect(list.model()->index(2, 0));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, zeta.center());
  EXPECT_EQ(selected.back(), "Zeta");
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, zeta.center());
  EXPECT_EQ(opened, std::vector<std::string>{"Zeta"});

  // The open project's card carries the black frame; others do not.
  QImage img = list.grab().toImage();
  QRect calc = list.visualRect(list.model()->index(1, 0));
  EXPECT_EQ(img.pixelColor(calc.left() + 2, calc.center().y()), QColor(Qt::black));
  EXPECT_NE(img.pixelColor(zeta.left() + 2, zeta.center().y()), QColor(Qt::black));
}
