#include "ide/Main.h"

#include <QCloseEvent>

namespace zemblo {

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Zemblo"));
  resize(1024, 700);
  MainForm = this;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  event->accept();
  MainForm = nullptr;
}

}  // namespace zemblo
