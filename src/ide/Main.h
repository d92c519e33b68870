// The IDE's main window.
#pragma once

#include <QMainWindow>

namespace zemblo {

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainForm(QWidget* parent = nullptr);

 protected:
  void closeEvent(QCloseEvent* event) override;
};

extern TMainForm* MainForm;

}  // namespace zemblo
