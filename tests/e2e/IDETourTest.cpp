// A new user's first session with the IDE, in process and offscreen, through real mouse and
// key events: the first start unpacks the samples, the welcome page lists them, a sample is
// opened, its window designed, a handler reached from the designer, the script typed into,
// F5 builds and runs the program, a new project and a new window are made, and closing the
// IDE leaves everything saved. It also writes a picture of each of the four pages.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdlib>

#include "ProgramRunner.h"
#include "TestUtil.h"
#include "designer/DesignManager.h"
#include "designer/WndDsgnr.h"
#include "editor/AdvEdit.h"
#include "editorview/MegaEditor.h"
#include "ide/Main.h"
#include "ide/MainTabs.h"
#include "ide/NewPrjForm.h"
#include "ide/PrjList.h"
#include "ide/TabStrip.h"
#include "kernel/AppKernel.h"
#include "kernel/AppObjects.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "kernel/qt/SystemGui.h"
#include "platform/FileSystem.h"
#include "platform/qt/AnsiText.h"

using namespace zemblo;
using namespace zemblo::test;

namespace {

// A dialog that pops up unasked (an error message) would stop the session for good; this
// closes it and remembers what it said.
class TDialogWatch {
 public:
  TDialogWatch() {
    timer_.setInterval(200);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (QWidget* w = QApplication::activeModalWidget(); w && !expected_) {
        seen_.push_back(ToAnsi(w->windowTitle()));
        w->close();
      }
    });
    timer_.start();
  }
  void Expect(bool on) { expected_ = on; }
  const std::vector<std::string>& Seen() const { return seen_; }

 private:
  QTimer timer_;
  bool expected_ = false;
  std::vector<std::string> seen_;
};

QStringList Tabs(TMainForm& form) {
  QStringList l;
  for (int i = 0; i < form.tcMain->count(); ++i) l << form.tcMain->tabText(i);
  return l;
}

void ClickTab(TMainForm& form, const QString& caption) {
  for (int i = 0; i < form.tcMain->count(); ++i)
    if (form.tcMain->tabText(i) == caption) {
      QTest::mouseClick(form.tcMain, Qt::LeftButton, {}, form.tcMain->tabRect(i).center());
      return;
    }
  FAIL() << "no tab " << ToAnsi(caption);
}

// The designed control whose element has this id.
QWidget* Designed(TMainForm& form, const std::string& id) {
  for (QWidget* w : form.pnWndDes->findChildren<QWidget*>())
    if (TXMLNode* e = ElementOf(w); e && e->GetAttribute("id") == id && e->Name == "CONTROL") return w;
  return nullptr;
}

std::string EditorLine(TMainForm& form, int row) {
  TAdvLines& lines = form.Editor->Lines();
  int line = lines.RowToLine(row).Line;
  return lines.Get(line);
}

void Settle(int ms = 50) {
  QTest::qWait(ms);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class IDETour : public ::testing::Test {
 protected:
  void SetUp() override {
    CopyProgramFolder(dir / "app");
    WriteAll(dir / "app/zemblo.ini", "[Init]\r\nRequires=1\r\n");
    WriteAll(dir / "home/.keep", "");
    WriteAll(dir / "close.txt", "wait 100\nclose\n");
    ::setenv("HOME", (dir / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir / "home/.config").c_str(), 1);
    ::setenv("ZEMBLO_AUTOMATION", (dir / "close.txt").c_str(), 1);
    SystemFunctions = new TSystemFunctions();
    SystemFunctions->SetExeNameForTesting(dir / "app/zemblo");
    SystemFunctions->SetGui(&gui);
    KernelStart();
  }
  void TearDown() override {
    if (IDESettings) KernelStop();
    ::unsetenv("ZEMBLO_AUTOMATION");
  }

  TTempDir dir;
  TQtSystemGui gui;
};

}  // namespace

TEST_F(IDETour, ANewUsersFirstSession) {
  TDialogWatch watch;
  std::string projects = dir / "home/Zemblo/";
  ASSERT_EQ(IDESettings->GetValue("IDE.ProjectsFolder"), projects);

  auto* form = new TMainForm();  // freed with every other window by KernelStop
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  Settle();

  // The welcome page lists the unpacked samples.
  ASSERT_EQ(form->nbWsp->currentIndex(), pgWelcome);
  ASSERT_EQ(form->ProjectList->rowCount(), 2);
  EXPECT_EQ(form->ProjectList->NameAt(0), "Calculator");
  EXPECT_EQ(form->ProjectList->NameAt(1), "NumberGuess");

  // Open the calculator with a double click on its card.
  QRect card = form->ProjectList->visualRect(form->ProjectList->model()->index(0, 0));
  QPoint at = form->ProjectList->viewport()->mapTo(form, card.center());
  QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, at);
  Settle();
  EXPECT_EQ(Tabs(*form), (QStringList{"Projects", "Calculator.kxp", "Main.php", "CalcWnd", "CalcWnd.php"}));
  EXPECT_EQ(form->nbWsp->currentIndex(), pgProject);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Zemblo - Project Calculator.kxp - Calculator.kxp"));

  // The window tab shows the designer with the window's controls.
  ClickTab(*form, "CalcWnd");
  Settle();
  ASSERT_EQ(form->nbWsp->currentIndex(), pgDesigner);
  QWidget* calc = Designed(*form, "Calc");
  ASSERT_NE(calc, nullptr);
  QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, calc->mapTo(form, QPoint(10, 10)));
  Settle();

  // A double click on the button lands in its handler in the editor.
  QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, calc->mapTo(form, QPoint(10, 10)));
  Settle(200);
  ASSERT_EQ(ToAnsi(form->tcMain->tabText(form->tcMain->currentIndex())), "CalcWnd.php");
  ASSERT_EQ(form->nbWsp->currentIndex(), pgScript);
  const TAdvancedEditor& ed = form->Editor->Editor();
  std::string handlerLine = EditorLine(*form, ed.CaretY() - 1);
  EXPECT_NE(handlerLine.find("Ctl_Calc_onClick"), std::string::npos) << handlerLine;
  EXPECT_EQ(ed.CaretX(), 4);

  // Typing goes into the script: a new line with a comment, so the program still runs.
  QTest::keyClick(form->Editor, Qt::Key_End);
  QTest::keyClick(form->Editor, Qt::Key_Return);
  int row = ed.CaretY();
  QTest::keyClicks(form->Editor, "// tour");
  EXPECT_NE(EditorLine(*form, row).find("// tour"), std::string::npos);

  // F5 saves, builds and runs; the program's window is closed by its automation file, and
  // the log memo shows the program's run log.
  QTest::keyClick(form->Editor, Qt::Key_F5);
  Settle(200);
  EXPECT_NE(ReadAll(projects + "Calculator/CalcWnd.php").find("// tour"), std::string::npos);
  EXPECT_TRUE(FileExists(projects + "Calculator/exe/" + ProjectINI().GetValue("Build.ExeName")));
  ClickTab(*form, "Calculator.kxp");
  Settle();
  std::string log = ToAnsi(form->mmLog->toPlainText());
  EXPECT_FALSE(log.empty());
  EXPECT_NE(log.find("Calculator.exe ended with exit status 0"), std::string::npos) << log;

  // A new project from the template, by Ctrl+N and its dialog.
  QTimer::singleShot(300, [&] {
    if (auto* d = qobject_cast<TNewPrjForm*>(QApplication::activeModalWidget())) {
      d->edTitle->setText(QStringLiteral("Tour Project"));
      QTest::keyClick(d->edTitle, Qt::Key_Return);
    }
  });
  watch.Expect(true);
  QTest::keyClick(form, Qt::Key_N, Qt::ControlModifier);
  watch.Expect(false);
  Settle();
  EXPECT_EQ(Tabs(*form).mid(0, 3), (QStringList{"Projects", "Tour Project.kxp", "Main.php"}));

  // A new window in it: its designer tab is selected.
  form->aNewWnd->trigger();
  Settle();
  EXPECT_TRUE(Tabs(*form).contains(QStringLiteral("NewWnd01")));
  EXPECT_TRUE(Tabs(*form).contains(QStringLiteral("NewWnd01.php")));
  EXPECT_EQ(ToAnsi(form->tcMain->tabText(form->tcMain->currentIndex())), "NewWnd01");
  EXPECT_EQ(form->nbWsp->currentIndex(), pgDesigner);

  // Remove Window while the designer shows it, then make it again.
  std::string tourDir = projects + "/Tour Project/";
  ASSERT_TRUE(FileExists(tourDir + "NewWnd01.php"));
  form->aRemWnd->trigger();
  Settle();
  EXPECT_FALSE(Tabs(*form).contains(QStringLiteral("NewWnd01")));
  EXPECT_FALSE(FileExists(tourDir + "NewWnd01.php"));
  form->aNewWnd->trigger();
  Settle();
  EXPECT_EQ(ToAnsi(form->tcMain->tabText(form->tcMain->currentIndex())), "NewWnd01");

  // Closing saves the selected tab in the project and the project in the settings.
  form->close();
  Settle();
  KernelStop();
  std::string tour = ReadAll(projects + "Tour Project/Tour Project.kxp");
  EXPECT_NE(tour.find("[Project]"), std::string::npos);
  EXPECT_NE(tour.find("Last=NewWnd01\r\n"), std::string::npos) << tour;
  std::string calcKxp = ReadAll(projects + "Calculator/Calculator.kxp");
  EXPECT_NE(calcKxp.find("Files.CalcWnd.php.Cursor.Y=" + std::to_string(row)), std::string::npos) << calcKxp;
  std::string settings = ReadAll(dir / "app/zemblo.ini");
  EXPECT_NE(settings.find("LastProject=" + projects + "/Tour Project/Tour Project.kxp"), std::string::npos)
      << settings;
  EXPECT_TRUE(watch.Seen().empty()) << watch.Seen().front();
}

// The four pages as the README shows them: a sample opened in a roomy window, each page
// written to the build folder as page-<name>.png.
TEST_F(IDETour, PicturesOfTheFourPages) {
  auto* form = new TMainForm();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  Settle();
  form->setWindowState(Qt::WindowNoState);
  form->resize(1180, 760);
  Settle();
  auto shoot = [&](const char* name) {
    Settle(150);
    EXPECT_TRUE(form->grab().save(QString::fromStdString(BinDir() + "../page-" + name + ".png")));
  };
  shoot("welcome");
  form->OpenListedProject("Calculator");
  form->SelectTab("Calculator.kxp");
  shoot("project");
  form->SelectTab("CalcWnd.php");
  form->Editor->MoveCaret(4, 8);
  form->Editor->Editor().ExtendSelection(4, 8);
  form->Editor->Editor().ExtendSelection(30, 10);
  form->Editor->MoveCaret(30, 10);
  shoot("editor");
  form->SelectTab("CalcWnd");
  if (QWidget* calc = Designed(*form, "Calc")) form->DesignManager->Designer().Select(calc);
  shoot("designer");
}
