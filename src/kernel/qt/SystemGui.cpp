#include "kernel/qt/SystemGui.h"

#include <QApplication>
#include <QFileDialog>
#include <QWidget>

#include "platform/Paths.h"
#include "platform/qt/AnsiText.h"

namespace zemblo {

std::string TQtSystemGui::BrowseForFolder(const std::string& startFolder) {
  // The start folder is selected without its trailing delimiter, except at the root.
  std::string start = startFolder;
  if (start.size() > 1 && IsPathDelimiter(start.back())) start.pop_back();
  QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), QStringLiteral("Choose folder"),
                                                     FromAnsi(start), QFileDialog::ShowDirsOnly);
  return chosen.isEmpty() ? std::string() : ToAnsi(chosen);
}

void TQtSystemGui::FreeAllForms() {
  // Deleting a window may delete others it owns, so look again from the start each time.
  for (;;) {
    QWidget* form = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isWindow() && !w->parentWidget()) {
        form = w;
        break;
      }
    if (!form) break;
    delete form;
  }
}

}  // namespace zemblo
