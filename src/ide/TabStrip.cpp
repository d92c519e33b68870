#include "ide/TabStrip.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace zemblo {

TTabStrip::TTabStrip(QWidget* parent) : QTabBar(parent) {
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  setExpanding(false);
  setDrawBase(true);
  setUsesScrollButtons(true);
  setElideMode(Qt::ElideNone);
}

QColor TTabStrip::CaptionColor(int index, const QString& caption) {
  if (index == 0 || caption.endsWith(QStringLiteral(".kxp"), Qt::CaseInsensitive)) return Qt::black;
  if (caption.endsWith(QStringLiteral(".php"), Qt::CaseInsensitive)) return QColor(128, 0, 128);
  return QColor(0, 128, 128);
}

QSize TTabStrip::tabSizeHint(int index) const {
  QFontMetrics fm(font());
  return QSize(fm.horizontalAdvance(tabText(index)) + 20, fm.height() + 8);
}

void TTabStrip::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  for (int i = 0; i < count(); ++i) {
    QStyleOptionTab opt;
    initStyleOption(&opt, i);
    QString caption = opt.text;
    opt.text.clear();  // the frame from the style, the caption from us
    p.drawControl(QStyle::CE_TabBarTabShape, opt);
    QRect r = tabRect(i);
    p.setPen(CaptionColor(i, caption));
    int left = r.left() + (i == currentIndex() ? 8 : 4);
    QFontMetrics fm(font());
    p.drawText(QPoint(left, r.top() + 3 + fm.ascent()), caption);
  }
}

}  // namespace zemblo
