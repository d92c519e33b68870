#include "ide/NewPrjForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zemblo {

TNewPrjForm::TNewPrjForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("NewPrjForm"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("New project title:"), this));
  edTitle = new QLineEdit(QStringLiteral("My Project"), this);
  edTitle->selectAll();
  layout->addWidget(edTitle);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

}  // namespace zemblo
