// The New Project dialog: asks for the new project's title.
#pragma once

#include <QDialog>

class QLineEdit;

namespace zemblo {

class TNewPrjForm : public QDialog {
  Q_OBJECT
 public:
  explicit TNewPrjForm(QWidget* parent = nullptr);
  QLineEdit* edTitle = nullptr;
};

}  // namespace zemblo
