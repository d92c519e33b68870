#include "window/KXCtl_Box.h"

#include <QPainter>

#include "platform/qt/AnsiText.h"

namespace zemblo {

TKXCtl_Box::TKXCtl_Box(QWidget* owner) : QFrame(owner), TKXControl(this, staticMetaObject.className()) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  setAutoFillBackground(true);
}

TKXCtl_Box::~TKXCtl_Box() = default;

void TKXCtl_Box::RepaintRequest() {
  image_.Reload(Prop("bgImage"), Helper().OnGetFile());
  update();
}

void TKXCtl_Box::ApplyBackgroundColor(const std::optional<QColor>& color) {
  SetPaletteColor(this, backgroundRole(), color);
  setAutoFillBackground(true);
}

void TKXCtl_Box::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter p(this);
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(contentsRect(), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, FromAnsi(Prop("text")));
  if (const TBitmapData* img = image_.Image()) p.drawImage(QPoint(0, 0), WrapBitmap(*img));
}

}  // namespace zemblo
