// The IDE's main window: menu, tool bar, the tab strip and the four pages it switches
// between (welcome, project, PHP editor, window designer). Every command enters here.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "project/AppLogic.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTextBrowser;
class QFrame;

namespace zemblo {

class TDesignManager;
class TMegaEditor;
class TProjectList;
class TPrjOptions;
class TOptionsGrid;
class TTabStrip;

class TMainForm : public QMainWindow, public IAppShell {
  Q_OBJECT
 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // Actions, serving the menu and the tool bar.
  QAction *aNew, *aOpenPrj, *aSaveAll, *aExit, *aNewWnd, *aRemWnd, *aMoveLock, *aRun, *aConfig, *aAbout;

  TTabStrip* tcMain = nullptr;
  QStackedWidget* nbWsp = nullptr;
  // Welcome page.
  TProjectList* ProjectList = nullptr;
  QTextBrowser* wbPrjInfo = nullptr;
  QPushButton* btOpenProject = nullptr;
  // Project page.
  QLabel* pnTitle = nullptr;
  TOptionsGrid* vlePrj = nullptr;
  QPlainTextEdit* mmLog = nullptr;
  // PHP page and designer page containers.
  QFrame* pnSrc = nullptr;
  QWidget *pnOI = nullptr, *pnWndDes = nullptr, *pnPal = nullptr;

  std::unique_ptr<TPrjOptions> ProjectOptions;
  std::unique_ptr<TDesignManager> DesignManager;
  TMegaEditor* Editor = nullptr;  // owned by its page
  std::string InfoProject;

  // Shows the open project: caption, title panel, tabs.
  void RefreshProject() override;
  // Selects the last tab whose caption is `caption` (letter case ignored) and processes the
  // change; false when there is none.
  bool SelectTab(const std::string& caption);
  std::string SelectedCaption() const;
  // The tab change: save, close the designer, show the page for the selected tab.
  void TabChanged();
  void ShowProjectInfo(const std::string& name);
  void OpenListedProject(const std::string& name);
  // The designer asks for an event handler: the window's script tab, then the method.
  void ShowHandler(const std::string& windowId, const std::string& handler);
  // The editor's view of its file, kept in the project file under "Editor.Files.<name>".
  void StoreEditorPos();
  void RestoreEditorPos();
  void CloseDesigner();
  // Before another project is opened: the editor's position stored, everything saved, the
  // designer closed and the editor emptied.
  void LeaveProject();

  // IAppShell
  void Alert(const std::string& message) override;
  void SaveEditorFile() override;
  bool IsShown() override;
  void MinimizeApp() override;
  void RestoreApp() override;
  void ShowRunLog(const std::vector<std::string>& lines) override;
  void ClearRunLog() override;

  // The command handlers.
  void aNewExecute();
  void aOpenPrjExecute();
  void aSaveAllExecute();
  void aExitExecute();
  void aNewWndExecute();
  void aRemWndExecute();
  void aRunExecute();
  void aConfigExecute();
  void aAboutExecute();

  // Runs a command; an error shows its message and the IDE goes on.
  template <typename F>
  void Guarded(F&& f);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateActions();
  QWidget* CreateWelcomePage();
  QWidget* CreateProjectPage();
  QWidget* CreateScriptPage();
  QWidget* CreateDesignerPage();
  void BuildTabs();
  void ShowStartPage();
  void FirstActivation();
  void ShowError(const std::exception& e);

  bool activated_ = false;
  bool exiting_ = false;
};

extern TMainForm* MainForm;

}  // namespace zemblo
