// The project-level commands: open, reopen, save, build, run, add and remove a window, plus
// the simple alert. They reach the main window only through IAppShell.
#pragma once

#include <string>
#include <vector>

namespace zemblo {

// What the project commands need from the main window. Without one installed (before the
// window exists, or on the command line) the commands do their core work only.
class IAppShell {
 public:
  virtual ~IAppShell() = default;
  // A modal message box captioned "Alert" with one OK button.
  virtual void Alert(const std::string& message) = 0;
  // Writes the PHP editor's open file, if it has one.
  virtual void SaveEditorFile() = 0;
  // Whether the main window exists and is visible.
  virtual bool IsShown() = 0;
  // Shows the newly opened project.
  virtual void RefreshProject() = 0;
  // Around a run of the built program.
  virtual void MinimizeApp() = 0;
  virtual void RestoreApp() = 0;
  // The run log memo: its lines, or cleared.
  virtual void ShowRunLog(const std::vector<std::string>& lines) = 0;
  virtual void ClearRunLog() = 0;
};

class TAppLogic {
 public:
  void SetShell(IAppShell* shell) { shell_ = shell; }
  IAppShell* Shell() const { return shell_; }

  // Through the shell; without one the message goes to standard error.
  void Alert(const std::string& message);
  // The editor's file, then the project (project file and resource file).
  void SaveProject();
  // Opens the project file and remembers it as "IDE.LastProject".
  void OpenProject(const std::string& path);
  // Opens "IDE.LastProject" when that file exists.
  void OpenLastProject();
  // SaveProject, then OpenProject of the open project's own file.
  void ReopenProject();
  // Builds the open project into "exe/" (see TProjectBuilder); errors propagate.
  void BuildProject();
  // Starts the built program (working folder: its own), blocks until it ends, then shows its
  // run log (the program's path with ".log") through the shell, or clears the memo when
  // there is none. Alerts "Executable is not found!" when nothing was built. Returns the
  // program's exit status, or -1 when it did not run.
  int RunProject();
  // The project side of New Window: the first free NewWndNN gets a WINDOW element and a
  // script, the project is saved and read back. Returns the window's name ("" when no
  // project is open). The main window stores the editor's position before and selects the
  // new tab after.
  std::string NewWindow();
  // Remove Window: when `id` is a window of the project and its script exists, the WINDOW
  // element goes, the project is saved, the script deleted and the project opened again.
  // Returns whether it removed anything. There is no undo.
  bool RemoveWindow(const std::string& id);

 private:
  IAppShell* shell_ = nullptr;
};

}  // namespace zemblo
