// The main window's tab strip, drawn by us: the caption's colour tells the kind of tab.
#pragma once

#include <QTabBar>

namespace zemblo {

class TTabStrip : public QTabBar {
  Q_OBJECT
 public:
  explicit TTabStrip(QWidget* parent = nullptr);
  // Black for tab 0 and project files, purple for scripts, teal for everything else.
  static QColor CaptionColor(int index, const QString& caption);

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Room for the caption, which the selected tab draws 4 pixels further right.
  QSize tabSizeHint(int index) const override;
};

}  // namespace zemblo
