#include "kernel/qt/ConfigForm.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "kernel/AppKernel.h"
#include "kernel/SysFuncs.h"
#include "platform/qt/AnsiText.h"

namespace zemblo {

TConfigForm::TConfigForm(TVantrelINI& settings, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Builder configuration"));
  setFixedSize(497, 345);

  pcMain = new QTabWidget(this);
  auto* tsProjects = new QWidget();
  pcMain->addTab(tsProjects, QStringLiteral("Projects"));
  pcMain->setCurrentIndex(0);

  auto* box = new QGroupBox(QStringLiteral(" Projects folder "), tsProjects);
  edPrjFld = new QLineEdit(QStringLiteral("C:\\KXPrj"), box);
  edPrjFld->setFixedWidth(409);
  btPrjFld = new QPushButton(QStringLiteral("..."), box);
  btPrjFld->setFixedWidth(28);
  auto* row = new QHBoxLayout(box);
  row->addWidget(edPrjFld);
  row->addWidget(btPrjFld);
  row->addStretch();
  auto* page = new QVBoxLayout(tsProjects);
  page->addWidget(box);
  page->addStretch();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(btPrjFld, &QPushButton::clicked, this, &TConfigForm::btPrjFldClick);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pcMain);
  layout->addWidget(buttons);

  manager_ = std::make_unique<TConfigManager>(settings);
  manager_->AddBinding(edPrjFld, "IDE.ProjectsFolder");
}

TConfigForm::~TConfigForm() = default;

void TConfigForm::btPrjFldClick() {
  std::string chosen = SystemFunctions->BrowseForFolder(ToAnsi(edPrjFld->text()));
  if (!chosen.empty()) edPrjFld->setText(FromAnsi(chosen));
}

void ShowConfiguration(TVantrelINI& settings, QWidget* parent) {
  TConfigForm form(settings, parent);
  form.Load();
  if (form.exec() == QDialog::Accepted) form.Store();
}

}  // namespace zemblo
