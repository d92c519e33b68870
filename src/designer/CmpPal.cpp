#include "designer/CmpPal.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/qt/AnsiText.h"
#include "window/Bitmap.h"
#include "window/KXCtl.h"

namespace zemblo {

namespace {
constexpr QColor kRowColor(0xC0, 0xC0, 0xC0);
}  // namespace

TComponentPalette::TComponentPalette(const std::string& appPath, QWidget* parent)
    : QWidget(parent), appPath_(appPath) {
  typeNames_ = factory_.TypeNames();
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  definitions_.LoadFromFile(appPath_ + "cmps" + PathDelim + "props.xml");
}

TComponentPalette::~TComponentPalette() = default;

QImage TComponentPalette::LoadIcon(const std::string& type) const {
  const std::string path = appPath_ + "cmps" + PathDelim + type + ".bmp";
  if (!FileExists(path)) return {};
  TBitmapData bitmap;
  try {
    bitmap = DecodeBitmap(ReadFileBytes(path));
  } catch (const Exception&) {
    return {};  // a broken icon leaves the row with its name only
  }
  QImage image = WrapBitmap(bitmap).convertToFormat(QImage::Format_ARGB32);
  const QRgb key = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (line[x] == key) line[x] = 0;
  }
  // Cut at the right and bottom; a smaller picture leaves the rest empty.
  return image.copy(0, 0, kIconSize, kIconSize);
}

void TComponentPalette::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kRowColor);
  QFont font(QStringLiteral("Times New Roman"));
  font.setPointSize(11);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::black);
  for (int row = 0; row < static_cast<int>(typeNames_.size()); ++row) {
    const QRect r = RowRect(row);
    p.fillRect(r, kRowColor);  // the current row is not highlighted
    p.drawText(QRect(r.left() + 32, r.top() + 8, r.width() - 32, r.height() - 8), Qt::AlignLeft | Qt::AlignTop,
               FromAnsi(typeNames_[row]));
    const QImage icon = LoadIcon(typeNames_[row]);
    if (!icon.isNull()) p.drawImage(QPoint(r.left() + 4, r.top() + 4), icon);
  }
}

void TComponentPalette::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  event->accept();
  const QPoint at = event->position().toPoint();
  const int row = at.y() / kRowHeight;
  if (at.x() < 0 || at.x() >= kColumnWidth || at.y() < 0 || row >= static_cast<int>(typeNames_.size()) || preview_)
    return;
  // Any button picks the pressed row, so the preview always shows what was pressed.
  currentRow_ = row;
  SelectedType = typeNames_[row];
  StartDrag(SelectedType, event->globalPosition().toPoint());
}

void TComponentPalette::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  if (preview_) FollowCursor(event->globalPosition().toPoint());
}

void TComponentPalette::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  if (!preview_) return;
  preview_.reset();
  dropPos_ = event->globalPosition().toPoint();
  if (OnDrop) OnDrop(*this);
}

void TComponentPalette::StartDrag(const std::string& type, QPoint globalPos) {
  // A borderless window on top of all others that never takes the activation from the main
  // window (after the drop, keys must go on reaching the design surface): the kind of window
  // a tool tip is.
  auto form = std::make_unique<QWidget>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  form->setAttribute(Qt::WA_ShowWithoutActivating);
  form->setAttribute(Qt::WA_TransparentForMouseEvents);
  form->setWindowTitle(FromAnsi(type));
  // Without a definition the preview is a plain control of the type: what is dropped does not
  // depend on it.
  TXMLNode bare("CONTROL");
  TXMLNode* def = definitions_.Root ? definitions_.Root->FindChild("CONTROL", type) : nullptr;
  if (!def) def = &bare;
  // The factory picks the class by "type", whatever the definition holds.
  def->SetAttribute("type", type);
  QWidget* control = factory_.CreateControl(*def, form.get());
  form->resize(control->size());
  preview_ = std::move(form);
  FollowCursor(globalPos);
  preview_->show();
}

void TComponentPalette::FollowCursor(QPoint globalPos) {
  preview_->move(globalPos.x() - kPreviewOffset, globalPos.y() + kPreviewOffset - preview_->height());
}

}  // namespace zemblo
