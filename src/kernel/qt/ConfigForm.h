// The configuration dialog ("Builder configuration"): today one setting, the projects folder.
#pragma once

#include <QDialog>
#include <memory>

#include "kernel/qt/ConfigManager.h"

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zemblo {

class TConfigForm : public QDialog {
  Q_OBJECT
 public:
  explicit TConfigForm(TVantrelINI& settings, QWidget* parent = nullptr);
  ~TConfigForm() override;

  void Load() { manager_->LoadControls(); }
  void Store() { manager_->StoreControls(); }

  QLineEdit* edPrjFld = nullptr;
  QPushButton* btPrjFld = nullptr;
  QTabWidget* pcMain = nullptr;

  // The "..." button: the folder picker starting at the edit's text.
  void btPrjFldClick();

 private:
  std::unique_ptr<TConfigManager> manager_;
};

// The Configuration command: load, show modally, store on OK only.
void ShowConfiguration(TVantrelINI& settings, QWidget* parent);

}  // namespace zemblo
