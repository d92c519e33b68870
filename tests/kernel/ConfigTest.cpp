#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "TestUtil.h"
#include "kernel/AppKernel.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "kernel/qt/AboutForm.h"
#include "kernel/qt/ConfigForm.h"

using namespace zemblo;

namespace {
class TFakeGui : public ISystemGui {
 public:
  std::string answer, askedWith;
  std::string BrowseForFolder(const std::string& start) override {
    askedWith = start;
    return answer;
  }
  void FreeAllForms() override {}
};

class Config : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemFunctions = new TSystemFunctions();
    SystemFunctions->SetGui(&gui);
  }
  void TearDown() override {
    delete SystemFunctions;
    SystemFunctions = nullptr;
  }
  TFakeGui gui;
  TVantrelINI settings;
};
}  // namespace

TEST_F(Config, EveryControlKindLoadsAndStores) {
  QCheckBox check;
  QRadioButton radio;
  TColorComboBox colors;
  TRadioGroup group(QStringLiteral("g"), {QStringLiteral("a"), QStringLiteral("b")});
  QPlainTextEdit memo;
  QLineEdit edit;
  QPushButton other;
  TConfigManager m(settings);
  m.AddBinding(&check, "A.Check");
  m.AddBinding(&radio, "A.Radio");
  m.AddBinding(&colors, "A.Color");
  m.AddBinding(&group, "A.Group");
  m.AddBinding(&memo, "A.Memo");
  m.AddBinding(&edit, "A.Edit");
  m.AddBinding(&other, "A.Other");
  for (const char* line : {"A.Check=1", "A.Radio=1", "A.Color=8421376", "A.Group=1", "A.Memo=m", "A.Edit=e"})
    settings.SetLine(line);
  m.LoadControls();
  EXPECT_TRUE(check.isChecked());
  EXPECT_TRUE(radio.isChecked());
  EXPECT_EQ(colors.SelectedColor(), 8421376);  // teal
  EXPECT_EQ(group.ItemIndex(), 1);
  EXPECT_EQ(memo.toPlainText(), QStringLiteral("m"));
  EXPECT_EQ(edit.text(), QStringLiteral("e"));

  check.setChecked(false);
  colors.SetSelectedColor(0x123456);
  group.SetItemIndex(0);
  memo.setPlainText(QStringLiteral("two\nlines"));
  edit.setText(QStringLiteral("E"));
  m.StoreControls();
  EXPECT_EQ(settings.GetValue("A.Check"), "0");
  EXPECT_EQ(settings.GetInt("A.Color"), 0x123456);
  EXPECT_EQ(settings.GetValue("A.Group"), "0");
  EXPECT_EQ(settings.GetValue("A.Memo"), "two lines");  // a value never holds a line break
  EXPECT_EQ(settings.GetValue("A.Edit"), "E");
  EXPECT_EQ(settings.GetValue("A.Other"), "");
}

TEST_F(Config, TheDialogShowsTheFolderAndStoresOnlyWhenAsked) {
  settings.SetValue("IDE.ProjectsFolder", "/home/u/Zemblo/");
  {
    TConfigForm form(settings);
    form.Load();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Builder configuration"));
    EXPECT_EQ(form.pcMain->tabText(0), QStringLiteral("Projects"));
    EXPECT_EQ(form.edPrjFld->text(), QStringLiteral("/home/u/Zemblo/"));
    form.edPrjFld->setText(QStringLiteral("/elsewhere"));
    // Cancel: nothing stored.
  }
  EXPECT_EQ(settings.GetValue("IDE.ProjectsFolder"), "/home/u/Zemblo/");

  TConfigForm form(settings);
  form.Load();
  gui.answer = "";
  form.btPrjFldClick();
  EXPECT_EQ(gui.askedWith, "/home/u/Zemblo/");
  EXPECT_EQ(form.edPrjFld->text(), QStringLiteral("/home/u/Zemblo/"));  // cancelled picker keeps the text
  gui.answer = "/work/projects";
  form.btPrjFldClick();
  form.Store();
  EXPECT_EQ(settings.GetValue("IDE.ProjectsFolder"), "/work/projects");
}

TEST_F(Config, AMissingFolderKeyShowsAnEmptyEdit) {
  TConfigForm form(settings);
  form.Load();
  EXPECT_TRUE(form.edPrjFld->text().isEmpty());
  EXPECT_EQ(settings.Entries(), std::vector<std::string>{"IDE.ProjectsFolder="});
}

TEST_F(Config, AboutShowsTheVersionOfTheRunningProgram) {
  TAboutForm about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Zemblo"));
  EXPECT_EQ(about.lbVer->text(), QStringLiteral("Version " ZEMBLO_TEST_MAJMIN));
}
