#include <gtest/gtest.h>

#include "TestUtil.h"
#include "ide/MainTabs.h"
#include "project/KXProject.h"

using namespace zemblo;
using test::WriteAll;

TEST(MainTabs, WindowsAndScriptsSortedAfterTheFixedThree) {
  test::TTempDir dir;
  WriteAll(dir / "Calc/Calc.kxp", "[Resource]\r\nFile=res.xml\r\n");
  WriteAll(dir / "Calc/res.xml",
           "<R><WINDOW id=\"MainWnd\"/><window id=\"About\"/><CONTROL id=\"Tools\"/><WINDOW id=\"mainwnd\"/></R>");
  for (const char* f : {"Main.php", "MainWnd.php", "Tools.php"}) WriteAll(dir / "Calc/" + f, "<?php ?>");
  TKXProject p;
  p.Load(dir / "Calc/Calc.kxp");
  EXPECT_EQ(BuildTabList(p), (std::vector<std::string>{"Projects", "Calc.kxp", "Main.php", "About", "MainWnd",
                                                       "MainWnd.php", "Tools.php"}));
  struct Case { const char* caption; TTabKind kind; };
  const Case cases[] = {{"projects", TTabKind::Welcome}, {"Calc.KXP", TTabKind::Project},
                        {"Tools.PHP", TTabKind::Script}, {"about", TTabKind::Window},
                        {"Tools", TTabKind::Project},    {"Elsewhere", TTabKind::Project}};
  for (const auto& c : cases) EXPECT_EQ(TabKindOf(c.caption, p), c.kind) << c.caption;
}

TEST(MainTabs, MainPhpIsAlwaysThirdAndNoProjectMeansOneTab) {
  test::TTempDir dir;
  WriteAll(dir / "P/P.kxp", "");
  TKXProject p;
  EXPECT_EQ(BuildTabList(p), std::vector<std::string>{"Projects"});
  p.Load(dir / "P/P.kxp");
  EXPECT_EQ(BuildTabList(p), (std::vector<std::string>{"Projects", "P.kxp", "Main.php"}));
}
