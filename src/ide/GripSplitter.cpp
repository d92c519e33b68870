#include "ide/GripSplitter.h"

#include <QPainter>

namespace zemblo {

void TGripHandle::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Window));
  int mid = height() / 2;
  for (int i = 0; i < 3; ++i)
    for (int j = -9; j <= 9; ++j) {
      int y = mid + 4 * j;
      p.setPen(Qt::white);
      p.drawPoint(3 * i + 2, y);
      p.setPen(QColor(128, 128, 128));
      p.drawPoint(3 * i + 3, y + 1);
    }
}

}  // namespace zemblo
