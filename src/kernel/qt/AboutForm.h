// The About box: product name, version read from our own executable, a link and the PHP note.
#pragma once

#include <QDialog>

class QLabel;

namespace zemblo {

class TAboutForm : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutForm(QWidget* parent = nullptr);
  QLabel* lbVer = nullptr;
  QLabel* lbLink = nullptr;

  static const char* const kHomePage;
  // Our logo, drawn at any size.
  static QPixmap Logo(int size);
};

}  // namespace zemblo
