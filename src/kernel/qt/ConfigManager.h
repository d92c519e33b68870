// Copies values between dialog controls and settings keys. The value kind follows from the
// control's class; a control of any other class is bound but never read or written.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <string>
#include <utility>
#include <vector>

class QButtonGroup;
class QWidget;

namespace zemblo {

class TVantrelINI;

// A combo box of colours whose selection is a colour value (red in the low byte).
class TColorComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit TColorComboBox(QWidget* parent = nullptr);
  int SelectedColor() const;
  void SetSelectedColor(int color);
};

// A framed group of option buttons with one item index (-1 for none).
class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);
  int ItemIndex() const;
  void SetItemIndex(int index);

 private:
  QButtonGroup* group_;
};

class TConfigManager {
 public:
  explicit TConfigManager(TVantrelINI& settings) : settings_(settings) {}

  void AddBinding(QWidget* control, const std::string& key) { Bindings.push_back({key, control}); }
  // Each bound control from its key, in binding order.
  void LoadControls();
  // Each bound control's value into its key (in memory; the file is written at shutdown).
  void StoreControls();

  std::vector<std::pair<std::string, QWidget*>> Bindings;  // controls not owned

 private:
  TVantrelINI& settings_;
};

}  // namespace zemblo
