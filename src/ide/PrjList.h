// The welcome page's list of projects: one card per project folder, with icon, title line and
// the date of the last build. A click reports the project (OnSelect), a double click asks to
// open it (OnOpen).
#pragma once

#include <QTableWidget>
#include <functional>
#include <string>

namespace zemblo {

class TProjectList : public QTableWidget {
  Q_OBJECT
 public:
  explicit TProjectList(QWidget* parent = nullptr);

  std::function<void(const std::string&)> OnSelect;
  std::function<void(const std::string&)> OnOpen;

  // Rebuilds the rows from "IDE.ProjectsFolder", selects the open project and reports the
  // selection.
  void FillList();
  std::string NameAt(int row) const;
  // The open project's name ("RunTime.FileName" without folder and extension).
  static std::string OpenProjectName();
  static std::string ProjectsFolder();

 private:
  void Select();
};

}  // namespace zemblo
