#include "ide/Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "designer/CodeMgr.h"
#include "designer/DesignManager.h"
#include "editorview/MegaEditor.h"
#include "ide/GripSplitter.h"
#include "ide/MainTabs.h"
#include "ide/NewPrjForm.h"
#include "ide/OptionsGrid.h"
#include "ide/PrjList.h"
#include "ide/TabStrip.h"
#include "kernel/AppKernel.h"
#include "kernel/AppObjects.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "kernel/qt/AboutForm.h"
#include "kernel/qt/ConfigForm.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/qt/AnsiText.h"
#include "project/NewItems.h"
#include "project/PrjOptions.h"

namespace zemblo {

TMainForm* MainForm = nullptr;

namespace {
QLabel* HeaderLabel(const QString& text, const QColor& back, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  QFont f(QStringLiteral("Arial"), 14);
  f.setBold(true);
  l->setFont(f);
  l->setAutoFillBackground(true);
  QPalette p = l->palette();
  p.setColor(QPalette::Window, back);
  l->setPalette(p);
  l->setMargin(4);
  return l;
}
// A padlock for Move Lock; the style has none.
QIcon PadlockIcon() {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(90, 90, 90), 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(7, 3, 10, 12), 0, 180 * 16);
  p.drawLine(QPointF(7, 9), QPointF(7, 12));
  p.drawLine(QPointF(17, 9), QPointF(17, 12));
  p.setPen(QPen(QColor(120, 90, 20), 1));
  p.setBrush(QColor(230, 180, 40));
  p.drawRoundedRect(QRectF(4.5, 11.5, 15, 10), 2, 2);
  p.setBrush(QColor(90, 60, 10));
  p.drawEllipse(QPointF(12, 16), 1.6, 1.6);
  return QIcon(pm);
}

}  // namespace

template <typename F>
void TMainForm::Guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    ShowError(e);
  }
}

void TMainForm::ShowError(const std::exception& e) {
  QMessageBox::critical(this, QStringLiteral("Zemblo"), FromAnsi(e.what()));
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  MainForm = this;
  setWindowTitle(QStringLiteral("Zemblo"));
  resize(709, 581);
  setWindowIcon(QIcon(TAboutForm::Logo(32)));

  CreateActions();
  statusBar()->setSizeGripEnabled(true);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(0);
  tcMain = new TTabStrip(central);
  nbWsp = new QStackedWidget(central);
  nbWsp->addWidget(CreateWelcomePage());
  nbWsp->addWidget(CreateProjectPage());
  nbWsp->addWidget(CreateScriptPage());
  nbWsp->addWidget(CreateDesignerPage());
  layout->addWidget(tcMain);
  layout->addWidget(nbWsp, 1);
  setCentralWidget(central);
  connect(tcMain, &QTabBar::currentChanged, this, [this] { Guarded([this] { TabChanged(); }); });

  mmLog->clear();
  DesignManager = std::make_unique<TDesignManager>(*AppObjects->Project, SystemFunctions->GetAppPath());
  DesignManager->SetDesignerPanel(pnWndDes);
  DesignManager->SetInspectorPanel(pnOI);
  DesignManager->SetPalettePanel(pnPal);
  DesignManager->SetOnEditHandler([this](const std::string& w, const std::string& h) {
    // The request arrives from inside the designer's input handling; act once it returned.
    QMetaObject::invokeMethod(this, [this, w, h] { Guarded([&] { ShowHandler(w, h); }); }, Qt::QueuedConnection);
  });
  connect(aMoveLock, &QAction::toggled, this, [this](bool on) { DesignManager->SetMoveLock(on); });
  Editor = new TMegaEditor(pnSrc);
  pnSrc->layout()->addWidget(Editor);
  Editor->ApplyStyle();
  ProjectOptions = std::make_unique<TPrjOptions>(*AppObjects->Project);
  ProjectOptions->Grid = vlePrj;
  if (AppLogic) AppLogic->SetShell(this);
  ShowStartPage();
}

TMainForm::~TMainForm() {
  if (AppLogic && AppLogic->Shell() == this) AppLogic->SetShell(nullptr);
  DesignManager.reset();
  ProjectOptions.reset();
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::CreateActions() {
  auto make = [this](const char* caption, const char* hint, QKeySequence key, QStyle::StandardPixmap icon) {
    auto* a = new QAction(style()->standardIcon(icon), QString::fromLatin1(caption), this);
    a->setToolTip(QString::fromLatin1(hint));
    a->setStatusTip(QString::fromLatin1(hint));
    if (!key.isEmpty()) a->setShortcut(key);
    // Served before the focused control sees the key, the editor included.
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
  };
  aNew = make("New Project", "New Project", QKeySequence(Qt::CTRL | Qt::Key_N), QStyle::SP_FileIcon);
  aOpenPrj = make("Open Project...", "Open Project", QKeySequence(Qt::CTRL | Qt::Key_O), QStyle::SP_DirOpenIcon);
  aSaveAll = make("Save All", "Save All", QKeySequence(Qt::CTRL | Qt::Key_S), QStyle::SP_DialogSaveButton);
  aExit = make("Exit", "Exit", QKeySequence(Qt::ALT | Qt::Key_X), QStyle::SP_DialogCloseButton);
  aNewWnd = make("New Window", "New Window", {}, QStyle::SP_FileDialogNewFolder);
  aRemWnd = make("Remove Window", "Remove Window", {}, QStyle::SP_TrashIcon);
  aMoveLock = make("Move Lock", "Move Lock", {}, QStyle::SP_DialogNoButton);
  aMoveLock->setIcon(PadlockIcon());
  aMoveLock->setCheckable(true);
  aRun = make("Run", "Run Project", QKeySequence(Qt::Key_F5), QStyle::SP_MediaPlay);
  aConfig = make("Configuration...", "Builder configuration...", QKeySequence(Qt::Key_F10),
                 QStyle::SP_FileDialogDetailedView);
  aAbout = make("About", "About", {}, QStyle::SP_MessageBoxInformation);

  connect(aNew, &QAction::triggered, this, [this] { Guarded([this] { aNewExecute(); }); });
  connect(aOpenPrj, &QAction::triggered, this, [this] { Guarded([this] { aOpenPrjExecute(); }); });
  connect(aSaveAll, &QAction::triggered, this, [this] { Guarded([this] { aSaveAllExecute(); }); });
  connect(aExit, &QAction::triggered, this, [this] { Guarded([this] { aExitExecute(); }); });
  connect(aNewWnd, &QAction::triggered, this, [this] { Guarded([this] { aNewWndExecute(); }); });
  connect(aRemWnd, &QAction::triggered, this, [this] { Guarded([this] { aRemWndExecute(); }); });
  connect(aRun, &QAction::triggered, this, [this] { Guarded([this] { aRunExecute(); }); });
  connect(aConfig, &QAction::triggered, this, [this] { Guarded([this] { aConfigExecute(); }); });
  connect(aAbout, &QAction::triggered, this, [this] { Guarded([this] { aAboutExecute(); }); });

  QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
  file->addAction(aNew);
  file->addSeparator();
  file->addAction(aOpenPrj);
  file->addAction(aSaveAll);
  file->addSeparator();
  file->addAction(aExit);
  QMenu* project = menuBar()->addMenu(QStringLiteral("Project"));
  project->addAction(aNewWnd);
  project->addAction(aRemWnd);
  menuBar()->addMenu(QStringLiteral("Run"))->addAction(aRun);
  menuBar()->addMenu(QStringLiteral("Tools"))->addAction(aConfig);
  menuBar()->addMenu(QStringLiteral("Help"))->addAction(aAbout);

  QToolBar* tb = addToolBar(QStringLiteral("ToolBar1"));
  tb->setObjectName(QStringLiteral("ToolBar1"));
  tb->setMovable(false);
  tb->setFixedHeight(33);
  tb->addAction(aNew);
  tb->addSeparator();
  tb->addAction(aOpenPrj);
  tb->addAction(aSaveAll);
  tb->addSeparator();
  tb->addAction(aNewWnd);
  tb->addAction(aRemWnd);
  tb->addAction(aMoveLock);
  tb->addSeparator();
  tb->addAction(aRun);
  tb->addSeparator();
  tb->addAction(aConfig);
  tb->addSeparator();
  tb->addAction(aAbout);
}

QWidget* TMainForm::CreateWelcomePage() {
  auto* page = new QWidget();
  auto* split = new QSplitter(Qt::Horizontal, page);
  auto* lbProjects = new QFrame(split);
  lbProjects->setFrameShape(QFrame::StyledPanel);
  auto* left = new QVBoxLayout(lbProjects);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(0);
  left->addWidget(HeaderLabel(QStringLiteral("Available projects:"), QColor(192, 220, 192), lbProjects));
  ProjectList = new TProjectList(lbProjects);
  left->addWidget(ProjectList, 1);
  ProjectList->OnSelect = [this](const std::string& n) { ShowProjectInfo(n); };
  ProjectList->OnOpen = [this](const std::string& n) { Guarded([&] { OpenListedProject(n); }); };

  auto* info = new QFrame(split);
  info->setFrameShape(QFrame::Panel);
  info->setFrameShadow(QFrame::Sunken);
  auto* right = new QVBoxLayout(info);
  wbPrjInfo = new QTextBrowser(info);
  wbPrjInfo->setOpenExternalLinks(true);
  right->addWidget(wbPrjInfo, 1);
  btOpenProject = new QPushButton(QStringLiteral("Open project"), info);
  btOpenProject->setFixedSize(113, 33);
  right->addWidget(btOpenProject, 0, Qt::AlignHCenter);
  connect(btOpenProject, &QPushButton::clicked, this, [this] {
    if (!InfoProject.empty()) Guarded([this] { OpenListedProject(InfoProject); });
  });
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 1);
  auto* l = new QHBoxLayout(page);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(split);
  return page;
}

QWidget* TMainForm::CreateProjectPage() {
  auto* page = new QWidget();
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(0, 0, 0, 0);
  pnTitle = HeaderLabel(QStringLiteral("PROJECT"), QColor(238, 238, 204), page);
  v->addWidget(pnTitle);
  auto* split = new QSplitter(Qt::Horizontal, page);
  auto* settings = new QWidget(split);
  auto* sl = new QVBoxLayout(settings);
  sl->addWidget(new QLabel(QStringLiteral("Project settings:"), settings));
  vlePrj = new TOptionsGrid(settings);
  vlePrj->OnEnter = [this] { Guarded([this] { ProjectOptions->ApplyRow(); }); };
  sl->addWidget(vlePrj, 1);
  auto* logBox = new QWidget(split);
  auto* ll = new QVBoxLayout(logBox);
  ll->addWidget(new QLabel(QStringLiteral("Execution log:"), logBox));
  mmLog = new QPlainTextEdit(logBox);
  mmLog->setReadOnly(true);
  mmLog->setLineWrapMode(QPlainTextEdit::NoWrap);
  mmLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette p = mmLog->palette();
  p.setColor(QPalette::Base, QColor(166, 202, 240));
  mmLog->setPalette(p);
  ll->addWidget(mmLog, 1);
  split->addWidget(settings);
  split->addWidget(logBox);
  split->setSizes({360, 400});
  v->addWidget(split, 1);
  return page;
}

QWidget* TMainForm::CreateScriptPage() {
  pnSrc = new QFrame();
  pnSrc->setFrameShape(QFrame::Panel);
  pnSrc->setFrameShadow(QFrame::Sunken);
  auto* l = new QVBoxLayout(pnSrc);
  l->setContentsMargins(1, 1, 1, 1);
  return pnSrc;
}

QWidget* TMainForm::CreateDesignerPage() {
  auto* page = new TGripSplitter(Qt::Horizontal);
  pnOI = new QWidget(page);
  pnOI->setLayout(new QVBoxLayout());
  pnOI->layout()->setContentsMargins(0, 0, 0, 0);
  auto* design = new QWidget(page);
  auto* dl = new QVBoxLayout(design);
  dl->setContentsMargins(0, 0, 0, 0);
  dl->setSpacing(0);
  auto* tb = new QToolBar(design);
  tb->addAction(aSaveAll);
  tb->addAction(aNewWnd);
  tb->addAction(aMoveLock);
  dl->addWidget(tb);
  pnWndDes = new QWidget(design);
  pnWndDes->setLayout(new QVBoxLayout());
  pnWndDes->layout()->setContentsMargins(0, 0, 0, 0);
  dl->addWidget(pnWndDes, 1);
  pnPal = new QWidget(page);
  pnPal->setLayout(new QVBoxLayout());
  pnPal->layout()->setContentsMargins(0, 0, 0, 0);
  page->setHandleWidth(12);  // the inspector's splitter; the palette's is 13 wide
  page->setSizes({157, 600, 136});
  page->setStretchFactor(1, 1);
  return page;
}

// ---------------------------------------------------------------- project and tabs

void TMainForm::ShowStartPage() {
  {
    QSignalBlocker block(tcMain);
    while (tcMain->count()) tcMain->removeTab(0);
    tcMain->addTab(QStringLiteral("Projects"));
    tcMain->setCurrentIndex(0);
  }
  nbWsp->setCurrentIndex(pgWelcome);
  RefreshProject();
  // The list filled itself before it had anyone to tell; now the selected card's description
  // is shown from the start.
  if (nbWsp->currentIndex() == pgWelcome) ProjectList->FillList();
}

void TMainForm::RefreshProject() {
  TKXProject& project = *AppObjects->Project;
  if (!project.IsOpen()) {
    QSignalBlocker block(tcMain);
    while (tcMain->count()) tcMain->removeTab(0);
    tcMain->addTab(QStringLiteral("Projects"));
    return;
  }
  std::string file = ExtractFileName(project.INI.GetValue("RunTime.FileName"));
  setWindowTitle(FromAnsi("Zemblo - Project " + file + " - " + SelectedCaption()));
  pnTitle->setText(FromAnsi("Project: " + project.INI.GetValue("Project.Title")));
  BuildTabs();
}

void TMainForm::BuildTabs() {
  std::vector<std::string> tabs = BuildTabList(*AppObjects->Project);
  {
    QSignalBlocker block(tcMain);
    while (tcMain->count()) tcMain->removeTab(0);
    for (const auto& t : tabs) tcMain->addTab(FromAnsi(t));
    tcMain->setCurrentIndex(tabs.size() > 1 ? 1 : 0);
  }
  TabChanged();
}

std::string TMainForm::SelectedCaption() const {
  int i = tcMain->currentIndex();
  return i < 0 ? std::string() : ToAnsi(tcMain->tabText(i));
}

bool TMainForm::SelectTab(const std::string& caption) {
  int found = -1;
  for (int i = 0; i < tcMain->count(); ++i)
    if (SameText(ToAnsi(tcMain->tabText(i)), caption)) found = i;
  if (found < 0) return false;
  {
    QSignalBlocker block(tcMain);
    tcMain->setCurrentIndex(found);
  }
  TabChanged();
  return true;
}

void TMainForm::TabChanged() {
  AppLogic->SaveProject();
  StoreEditorPos();
  std::string c = SelectedCaption();
  std::string ext = ExtractFileExt(c);
  CloseDesigner();
  TKXProject& project = *AppObjects->Project;
  int page = SameText(c, "Projects") ? pgWelcome : pgDesigner;
  if (SameText(ext, ".php")) {
    page = pgScript;
    std::string file = ExtractFilePath(project.INI.GetValue("RunTime.FileName")) + c;
    try {
      StoreEditorPos();
      Editor->LoadFile(file);
      RestoreEditorPos();
    } catch (const std::exception&) {
      // The editor then has no file, so nothing is ever saved over the missing one.
      Editor->ShowMessageLine("File not found");
    }
  }
  if (SameText(ext, ".kxp")) page = pgProject;
  if (page == pgDesigner && !project.HasWindow(c)) page = pgProject;
  nbWsp->setCurrentIndex(page);
  if (page == pgDesigner) DesignManager->OpenWindow(c);
  try {
    if (page == pgScript) Editor->setFocus();
    if (page == pgWelcome) ProjectList->FillList();
    if (page == pgProject) ProjectOptions->ShowOptions();
  } catch (const std::exception&) {
    // What each page shows is refreshed on a best-effort basis.
  }
}

void TMainForm::StoreEditorPos() {
  if (!Editor || !Editor->HasFile()) return;
  std::string k = EditorPosKey(Editor->FileName());
  TVantrelINI& ini = ProjectINI();
  ini.SetInt(k + ".Origin.X", Editor->LeftCol());
  ini.SetInt(k + ".Origin.Y", Editor->TopRow());
  ini.SetInt(k + ".Cursor.X", Editor->CaretX());
  ini.SetInt(k + ".Cursor.Y", Editor->CaretY());
}

void TMainForm::RestoreEditorPos() {
  if (!Editor || !Editor->HasFile()) return;
  std::string k = EditorPosKey(Editor->FileName());
  TVantrelINI& ini = ProjectINI();
  Editor->MoveCaret(ini.GetInt(k + ".Cursor.X"), ini.GetInt(k + ".Cursor.Y"));
  Editor->ScrollTo(ini.GetInt(k + ".Origin.X"), ini.GetInt(k + ".Origin.Y"));
}

void TMainForm::LeaveProject() {
  // Opening another project keeps nothing of this one unsaved (the editor's last position
  // included) and leaves the editor without this project's file.
  StoreEditorPos();
  AppLogic->SaveProject();
  CloseDesigner();
  Editor->ShowMessageLine("");
}

void TMainForm::CloseDesigner() {
  if (DesignManager) DesignManager->CloseDesign();
}

void TMainForm::ShowHandler(const std::string& windowId, const std::string& handler) {
  if (!SelectTab(windowId + ".php") || !Editor->HasFile()) return;
  TCodeManager code(Editor->Editor());
  code.GoToHandler(windowId, handler);
  Editor->setFocus();
}

void TMainForm::ShowProjectInfo(const std::string& name) {
  InfoProject.clear();
  wbPrjInfo->clear();
  std::string folder = IncludeTrailingPathDelimiter(IDESettings->GetValue("IDE.ProjectsFolder"));
  std::string info = folder + name + PathDelim + "Info.html";
  if (!FileExists(info)) return;
  InfoProject = name;
  wbPrjInfo->setSearchPaths({FromAnsi(folder + name)});
  wbPrjInfo->setSource(QUrl::fromLocalFile(FromAnsi(info)));
}

void TMainForm::OpenListedProject(const std::string& name) {
  std::string path = IDESettings->GetValue("IDE.ProjectsFolder") + PathDelim + name + PathDelim + name + ".kxp";
  if (!FileExists(path)) return;
  LeaveProject();
  AppLogic->OpenProject(path);
  RefreshProject();
}

// ---------------------------------------------------------------- shell

void TMainForm::Alert(const std::string& message) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Alert"), FromAnsi(message), QMessageBox::Ok, this);
  box.exec();
}

void TMainForm::SaveEditorFile() {
  if (Editor) Editor->SaveFile();
}

bool TMainForm::IsShown() { return isVisible(); }

void TMainForm::MinimizeApp() { showMinimized(); }

void TMainForm::RestoreApp() {
  setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  show();
}

void TMainForm::ShowRunLog(const std::vector<std::string>& lines) {
  QStringList l;
  for (const auto& s : lines) l << FromAnsi(s);
  mmLog->setPlainText(l.join(QLatin1Char('\n')));
}

void TMainForm::ClearRunLog() { mmLog->clear(); }

// ---------------------------------------------------------------- commands

void TMainForm::aNewExecute() {
  TNewPrjForm dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  std::string name = MakeProject(ToAnsi(dialog.edTitle->text()));
  LeaveProject();
  AppLogic->OpenProject(NewProjectFileName(name));
  RefreshProject();
}

void TMainForm::aOpenPrjExecute() {
  QString folder = FromAnsi(IDESettings->GetValue("IDE.ProjectsFolder"));
  QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Open Project"), folder,
                                              QStringLiteral("KX Projects (*.kxp)"));
  if (file.isEmpty()) return;
  LeaveProject();
  AppLogic->OpenProject(ToAnsi(file));
  RefreshProject();
}

void TMainForm::aSaveAllExecute() { AppLogic->SaveProject(); }

void TMainForm::aExitExecute() {
  AppLogic->SaveProject();
  exiting_ = true;
  QApplication::quit();
}

void TMainForm::aNewWndExecute() {
  StoreEditorPos();
  // The project is read back from disk, which replaces the tree the designed window's
  // widgets point into: close the design first.
  CloseDesigner();
  std::string name = AppLogic->NewWindow();
  if (name.empty()) return;
  RefreshProject();
  SelectTab(name);
}

void TMainForm::aRemWndExecute() {
  std::string id = SelectedCaption();
  if (!AppObjects->Project->HasWindow(id)) return;
  // The designed window's widgets point into the element that is about to go.
  CloseDesigner();
  if (!AppLogic->RemoveWindow(id)) TabChanged();  // nothing removed: show the window again
}

void TMainForm::aRunExecute() {
  AppLogic->SaveProject();
  AppLogic->BuildProject();
  AppLogic->RunProject();
}

void TMainForm::aConfigExecute() { ShowConfiguration(*IDESettings, this); }

void TMainForm::aAboutExecute() {
  TAboutForm about(this);
  about.exec();
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!activated_) {
    activated_ = true;
    Guarded([this] { FirstActivation(); });
  }
}

void TMainForm::FirstActivation() {
  SelectTab(ProjectINI().GetValue("Project.Last"));
  setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!exiting_) {
    Guarded([this] {
      StoreEditorPos();
      ProjectINI().SetValue("Project.Last", SelectedCaption());
      AppLogic->SaveProject();
    });
    CloseDesigner();
  }
  event->accept();
}

}  // namespace zemblo
