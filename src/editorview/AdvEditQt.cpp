#include "editorview/AdvEditQt.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <cstring>

#include "editorview/AEKeysQt.h"
#include "platform/qt/AnsiText.h"

namespace zemblo {

namespace {

constexpr int kAutoScrollInterval = 100;
// One notch of a mouse wheel in Qt's eighths of a degree.
constexpr int kWheelNotch = 120;

TColor FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

}  // namespace

TAdvEditQt::TAdvEditQt(QWidget* parent) : TAdvEditQt(parent, std::make_unique<TAdvancedEditor>()) {}

TAdvEditQt::TAdvEditQt(QWidget* parent, std::unique_ptr<TAdvancedEditor> editor)
    : QAbstractScrollArea(parent), editor_(std::move(editor)) {
  Init();
}

TAdvEditQt::~TAdvEditQt() {
  // The engine outlives this object's own parts; it must not reach them while it goes.
  editor_->SetPlatform(nullptr);
}

void TAdvEditQt::Init() {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFocusPolicy(Qt::StrongFocus);
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  QWidget* vp = viewport();
  // Every paint covers every pixel it shows, so nothing is erased first.
  vp->setAttribute(Qt::WA_OpaquePaintEvent);
  vp->setAttribute(Qt::WA_NoSystemBackground);
  vp->setAutoFillBackground(false);
  vp->setMouseTracking(true);
  vp->setCursor(Qt::IBeamCursor);

  // The desktop's colours stand where the control follows the scheme.
  const QPalette pal = palette();
  editor_->Color = FromQColor(pal.color(QPalette::Base));
  editor_->SelectionColor = FromQColor(pal.color(QPalette::Highlight));
  editor_->SelectionTextColor = FromQColor(pal.color(QPalette::HighlightedText));
  editor_->SetGutterColor(FromQColor(pal.color(QPalette::Button)));
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  painter_.SetFont(font);
  editor_->FontColor = FromQColor(pal.color(QPalette::Text));
  editor_->FontStyle = 0;

  autoScrollTimer_ = new QTimer(this);
  autoScrollTimer_->setInterval(kAutoScrollInterval);
  connect(autoScrollTimer_, &QTimer::timeout, this, [this] { Guard([this] { editor_->AutoScrollStep(); }); });
  caretTimer_ = new QTimer(this);
  connect(caretTimer_, &QTimer::timeout, this, [this] { BlinkCaret(); });

  for (bool vertical : {false, true}) {
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    connect(bar, &QAbstractSlider::actionTriggered, this,
            [this, vertical](int action) { ScrollBarAction(vertical, action); });
    connect(bar, &QAbstractSlider::sliderReleased, this,
            [this, vertical] { Guard([this, vertical] { editor_->HandleScroll(vertical, scThumbPosition); }); });
    connect(bar, &QAbstractSlider::valueChanged, this,
            [this, vertical](int value) { ScrollBarValueChanged(vertical, value); });
  }

  editor_->SetPlatform(this);
  resize(250, 150);
  ResizeSurface();
  editor_->RecalcMetrics(true, true);
  editor_->AttachWindow();
}

// --- settings ---

void TAdvEditQt::SetEditorFont(const QFont& font, TColor color) {
  painter_.SetFont(font);
  editor_->FontColor = color;
  uint8_t style = 0;
  if (font.bold()) style |= fsBold;
  if (font.italic()) style |= fsItalic;
  if (font.underline()) style |= fsUnderline;
  if (font.strikeOut()) style |= fsStrikeOut;
  editor_->FontStyle = style;
  editor_->FontChanged();
}

void TAdvEditQt::SetColor(TColor color) {
  if (color == editor_->Color) return;
  editor_->Color = color;
  editor_->ColorChanged();
}

void TAdvEditQt::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  // The text area changes size with the frame; its resize measures everything again.
  setFrameStyle(style == TBorderStyle::Single ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
}

// --- the window ---

int TAdvEditQt::ClientWidth() { return viewport()->width(); }
int TAdvEditQt::ClientHeight() { return viewport()->height(); }

void TAdvEditQt::TakeFocus() { setFocus(Qt::MouseFocusReason); }

TCellSize TAdvEditQt::MeasureCell() { return painter_.MeasureCell(); }

void TAdvEditQt::ResizeSurface() {
  const QSize size = viewport()->size().expandedTo(QSize(1, 1));
  const qreal dpr = viewport()->devicePixelRatioF();
  surface_ = QImage(size * dpr, QImage::Format_RGB32);
  surface_.setDevicePixelRatio(dpr);
  surface_.fill(ToQtColor(editor_->Color));
  stale_ = QRegion(QRect(QPoint(0, 0), size));
}

void TAdvEditQt::Invalidate() {
  stale_ = QRegion(viewport()->rect());
  viewport()->update();
}

void TAdvEditQt::DrawRow(const TRowImage& row) {
  {
    QPainter p(&surface_);
    painter_.DrawRow(p, row, editor_->CharWidth(), editor_->LineHeight());
  }
  const QRect strip = QRect(row.CopyLeft, row.Y, row.CopyWidth, editor_->LineHeight()) & viewport()->rect();
  stale_ -= strip;
  if (!painting_) viewport()->update(strip);
}

void TAdvEditQt::DrawGutter(const TGutterImage& gutter) {
  {
    QPainter p(&surface_);
    TRowPainter::DrawGutter(p, gutter);
  }
  const QRect r = QRect(0, 0, gutter.Width, gutter.Height) & viewport()->rect();
  stale_ -= r;
  if (!painting_) viewport()->update(r);
}

void TAdvEditQt::ScrollPixels(const TPixelRect& area, int dy) {
  const QRect a = QRect(area.Left, area.Top, area.Width(), area.Height()) & viewport()->rect();
  if (a.isEmpty() || dy == 0) return;
  // Move the surface's scan lines in device pixels; what the move uncovers is redrawn.
  const qreal dpr = surface_.devicePixelRatio();
  const QRect d(qRound(a.x() * dpr), qRound(a.y() * dpr), qRound(a.width() * dpr), qRound(a.height() * dpr));
  const QRect dev = d & surface_.rect();
  const int ddy = qRound(dy * dpr);
  const size_t bytes = static_cast<size_t>(dev.width()) * 4;
  const size_t left = static_cast<size_t>(dev.x()) * 4;
  if (std::abs(ddy) < dev.height()) {
    if (ddy > 0) {
      for (int y = dev.bottom(); y >= dev.top() + ddy; --y)
        std::memmove(surface_.scanLine(y) + left, surface_.constScanLine(y - ddy) + left, bytes);
    } else {
      for (int y = dev.top(); y <= dev.bottom() + ddy; ++y)
        std::memmove(surface_.scanLine(y) + left, surface_.constScanLine(y - ddy) + left, bytes);
    }
  }
  const QRect uncovered = dy > 0 ? QRect(a.left(), a.top(), a.width(), std::min(dy, a.height()))
                                 : QRect(a.left(), std::max(a.top(), a.bottom() + 1 + dy), a.width(),
                                         std::min(-dy, a.height()));
  stale_ = (stale_ - a) | ((stale_ & a).translated(0, dy) & a) | uncovered;
  viewport()->update(a);
}

void TAdvEditQt::UpdateNow() {
  if (viewport()->isVisible()) viewport()->repaint();
}

void TAdvEditQt::paintEvent(QPaintEvent* e) {
  const QRegion need = stale_ & e->region();
  if (!need.isEmpty()) {
    const QRect r = need.boundingRect();
    painting_ = true;
    Guard([&] { editor_->Paint({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}); });
    painting_ = false;
  }
  QPainter p(viewport());
  for (const QRect& r : e->region()) p.drawImage(r, surface_, QRectF(r.topLeft() * surface_.devicePixelRatio(),
                                                                    r.size() * surface_.devicePixelRatio()));
  if (caretCreated_ && caretShown_ && caretBlinkOn_ && hasFocus()) {
    // The system caret's look: the pixels under it inverted.
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(CaretRect(), Qt::white);
  }
}

void TAdvEditQt::resizeEvent(QResizeEvent*) {
  ResizeSurface();
  Guard([this] { editor_->Resize(); });
}

// --- the caret ---

QRect TAdvEditQt::CaretRect() const { return QRect(caretPos_, caretSize_); }

void TAdvEditQt::UpdateCaret() {
  if (!caretSize_.isEmpty()) viewport()->update(CaretRect());
}

void TAdvEditQt::CreateCaret(int width, int height) {
  UpdateCaret();
  caretCreated_ = true;
  caretShown_ = false;
  caretSize_ = QSize(std::max(width, 0), std::max(height, 0));
  caretBlinkOn_ = true;
  const int flash = QApplication::cursorFlashTime();
  if (flash > 0) caretTimer_->start(flash / 2);
}

void TAdvEditQt::DestroyCaret() {
  UpdateCaret();
  caretCreated_ = false;
  caretShown_ = false;
  caretTimer_->stop();
}

void TAdvEditQt::SetCaretPos(int x, int y) {
  if (caretPos_ == QPoint(x, y)) return;
  UpdateCaret();
  caretPos_ = QPoint(x, y);
  // A caret that moved shows at once, and its blinking starts over.
  caretBlinkOn_ = true;
  if (caretTimer_->isActive()) caretTimer_->start();
  UpdateCaret();
}

void TAdvEditQt::ShowCaret() {
  if (caretShown_) return;
  caretShown_ = true;
  UpdateCaret();
}

void TAdvEditQt::HideCaret() {
  if (!caretShown_) return;
  caretShown_ = false;
  UpdateCaret();
}

void TAdvEditQt::BlinkCaret() {
  caretBlinkOn_ = !caretBlinkOn_;
  if (caretShown_) UpdateCaret();
}

// --- scroll bars ---

void TAdvEditQt::SetScrollBar(TScrollBarKind kind, int min, int max, int page, int pos) {
  QScrollBar* bar = kind == TScrollBarKind::Vertical ? verticalScrollBar() : horizontalScrollBar();
  // The window system's range includes the last page; Qt's ends at the last position the
  // thumb can take.
  const int top = std::max(min, page > 0 ? max - page + 1 : max);
  settingBar_ = true;
  bar->setRange(min, top);
  bar->setPageStep(std::max(page, 1));
  bar->setSingleStep(1);
  bar->setValue(pos);
  settingBar_ = false;
  // Shown disabled rather than hidden when there is nothing to scroll.
  bar->setEnabled(top > min);
}

int TAdvEditQt::ScrollTrackPos(TScrollBarKind kind) {
  return (kind == TScrollBarKind::Vertical ? verticalScrollBar() : horizontalScrollBar())->sliderPosition();
}

void TAdvEditQt::ScrollBarAction(bool vertical, int action) {
  int code;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = scLineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; break;
    case QAbstractSlider::SliderPageStepSub: code = scPageUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = scPageDown; break;
    case QAbstractSlider::SliderMove: code = scThumbTrack; break;
    case QAbstractSlider::SliderToMinimum: code = scTop; break;
    case QAbstractSlider::SliderToMaximum: code = scBottom; break;
    default: return;
  }
  // The engine sets the bar's position itself; Qt then keeps that position as the action's
  // outcome.
  Guard([&] { editor_->HandleScroll(vertical, code); });
}

// Moves that come without an action (the bar's "scroll here") are a dragged thumb.
void TAdvEditQt::ScrollBarValueChanged(bool vertical, int value) {
  if (settingBar_) return;
  TAdvEditScrollBar& model = vertical ? editor_->VScrollBar() : editor_->HScrollBar();
  if (value == model.Position) return;
  Guard([&] { editor_->HandleScroll(vertical, scThumbTrack); });
}

void TAdvEditQt::scrollContentsBy(int, int) {}

// --- services ---

void TAdvEditQt::PostCommand(TEditCommand cmd) {
  QMetaObject::invokeMethod(
      this, [this, cmd] { Guard([this, cmd] { editor_->HandlePostedCommand(cmd); }); }, Qt::QueuedConnection);
}

void TAdvEditQt::SetAutoScrollTimer(bool running) {
  // A running timer keeps its rhythm: every mouse move outside asks for it again.
  if (running && !autoScrollTimer_->isActive())
    autoScrollTimer_->start();
  else if (!running)
    autoScrollTimer_->stop();
}

bool TAdvEditQt::AutoScrollRunning() const { return autoScrollTimer_->isActive(); }

void TAdvEditQt::SetCursor(TCursorShape shape) {
  if (shape == cursor_) return;
  cursor_ = shape;
  viewport()->setCursor(shape == TCursorShape::Arrow ? Qt::ArrowCursor : Qt::IBeamCursor);
}

int TAdvEditQt::WheelScrollLines() { return QApplication::wheelScrollLines(); }

std::string TAdvEditQt::ClipboardText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return {};
  return ToAnsi(data->text());
}

void TAdvEditQt::SetClipboardText(const std::string& text) { QApplication::clipboard()->setText(FromAnsi(text)); }

void TAdvEditQt::Beep() { QApplication::beep(); }

void TAdvEditQt::ReportError(const std::string& message) {
  if (OnError) {
    OnError(message);
    return;
  }
  // Shown after the event that failed has returned: never from inside a paint or a drag.
  QMetaObject::invokeMethod(
      this,
      [this, message] { QMessageBox::warning(window(), QApplication::applicationDisplayName(), FromAnsi(message)); },
      Qt::QueuedConnection);
}

// --- input ---

bool TAdvEditQt::event(QEvent* e) {
  // The window's action shortcuts come before the editor's own bindings: the override
  // request is never accepted.
  if (e->type() == QEvent::ShortcutOverride) {
    e->ignore();
    return true;
  }
  return QAbstractScrollArea::event(e);
}

// Tab is the editor's own key, never a move to the next control.
bool TAdvEditQt::focusNextPrevChild(bool) { return false; }

void TAdvEditQt::keyPressEvent(QKeyEvent* e) {
  uint16_t key = VirtualKeyOf(e->key());
  const TShiftState shift = ShiftStateOf(e->modifiers(), QApplication::mouseButtons() | buttonsHeld_);
  const std::string typed = TypedCharacters(*e);
  bool handled = false;
  Guard([&] {
    handled = editor_->KeyDown(key, shift);
    for (char c : typed) editor_->KeyPress(static_cast<unsigned char>(c));
  });
  // A key that ran no command and typed no text (control characters are ignored) goes on to
  // the parent: Escape in a dialog. Tab and the arrows are the editor's own whatever they
  // did, so they never move the focus; Alt with Backspace is the undo binding, so it never
  // reaches a menu.
  for (char c : typed) handled = handled || static_cast<unsigned char>(c) >= 32;
  switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      handled = true;
      break;
    default:
      break;
  }
  if (handled)
    e->accept();
  else
    e->ignore();
}

namespace {

bool EngineButton(Qt::MouseButton b, TMouseButton& out) {
  switch (b) {
    case Qt::LeftButton: out = TMouseButton::Left; return true;
    case Qt::RightButton: out = TMouseButton::Right; return true;
    case Qt::MiddleButton: out = TMouseButton::Middle; return true;
    default: return false;
  }
}

}  // namespace

void TAdvEditQt::mousePressEvent(QMouseEvent* e) {
  buttonsHeld_ = e->buttons();
  TMouseButton button;
  if (!EngineButton(e->button(), button)) return;
  const QPoint p = e->position().toPoint();
  Guard([&] { editor_->MouseDown(button, ShiftStateOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
}

void TAdvEditQt::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  Guard([&] { editor_->MouseMove(ShiftStateOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
}

void TAdvEditQt::mouseReleaseEvent(QMouseEvent* e) {
  buttonsHeld_ = e->buttons();
  Guard([this] { editor_->MouseUp(); });
}

// The window system reports a double click as the notification followed by a press of the
// same button, which the notification tells the engine to skip.
void TAdvEditQt::mouseDoubleClickEvent(QMouseEvent* e) {
  buttonsHeld_ = e->buttons();
  TMouseButton button;
  if (!EngineButton(e->button(), button)) return;
  const QPoint p = e->position().toPoint();
  Guard([&] {
    if (button == TMouseButton::Left) editor_->DoubleClick();
    editor_->MouseDown(button, ShiftStateOf(e->modifiers(), e->buttons()), p.x(), p.y());
  });
}

// Only the sign of a notch counts. Devices that report fractions of a notch (touch pads)
// scroll once their fractions add up to a notch, instead of a notch for every report.
void TAdvEditQt::wheelEvent(QWheelEvent* e) {
  const int dy = e->angleDelta().y();
  if (dy == 0) {
    e->ignore();
    return;
  }
  e->accept();
  if (std::abs(dy) >= kWheelNotch) {
    wheelRest_ = 0;
  } else {
    if ((wheelRest_ > 0) != (dy > 0)) wheelRest_ = 0;
    wheelRest_ += dy;
    if (std::abs(wheelRest_) < kWheelNotch) return;
    wheelRest_ = 0;
  }
  Guard([&] { editor_->MouseWheel(dy); });
}

void TAdvEditQt::focusInEvent(QFocusEvent*) {
  Guard([this] { editor_->FocusIn(); });
}

void TAdvEditQt::focusOutEvent(QFocusEvent*) {
  buttonsHeld_ = Qt::NoButton;
  Guard([this] { editor_->FocusOut(); });
}

void TAdvEditQt::changeEvent(QEvent* e) {
  QAbstractScrollArea::changeEvent(e);
  if (e->type() == QEvent::EnabledChange && editor_->UpdateCount() == 0) Invalidate();
}

}  // namespace zemblo
