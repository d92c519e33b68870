#include "window/KXCtl_Text.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/qt/AnsiText.h"
#include "window/KXCtlLogic.h"

namespace zemblo {

namespace {
const QColor kShadow(0xC0, 0xC0, 0xC0);  // silver
}

TKXCtl_Text::TKXCtl_Text(QWidget* owner) : QWidget(owner), TKXControl(this, staticMetaObject.className()) {}

TKXCtl_Text::~TKXCtl_Text() = default;

void TKXCtl_Text::ApplyBackgroundColor(const std::optional<QColor>&) {}

void TKXCtl_Text::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setFont(font());
  p.setBrush(Qt::NoBrush);
  if (Helper().Designing()) {
    p.setPen(QPen(Qt::black, 0, Qt::DashLine));
    p.drawRect(0, 0, width() - 1, height() - 1);
  }
  const QFontMetrics fm(font());
  const bool centred = TextCentered(Prop("textHAlign"));
  const int shadow = TextShadowOffset(Prop("textShadow"));
  const QColor color = palette().color(QPalette::WindowText);
  int y = 0;
  for (const std::string& bytes : SplitTextLines(TextControlContent(Helper().Props(), Helper().OnGetFile()))) {
    if (y >= height()) break;  // the rest lies below the control and cannot show
    const QString line = FromAnsi(bytes);
    const int x = centred ? CenteredX(width(), fm.horizontalAdvance(line)) : 0;
    if (shadow > 0) {
      p.setPen(kShadow);
      p.drawText(x + shadow, y + shadow + fm.ascent(), line);
    }
    p.setPen(color);
    p.drawText(x, y + fm.ascent(), line);
    y += fm.height();
  }
}

}  // namespace zemblo
