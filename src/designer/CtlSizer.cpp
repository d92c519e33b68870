#include "designer/CtlSizer.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace zemblo {

namespace {

enum TEdge { eLeft = 1, eTop = 2, eRight = 4, eBottom = 8 };

// Per handle: the edges of the target it moves and its cursor. The handle's place follows
// from the same edges (outside the left/top edge, on the right/bottom edge, or centred).
struct TAnchorKind {
  int Edges;
  Qt::CursorShape Cursor;
};
constexpr TAnchorKind kKinds[8] = {
    {eLeft | eTop, Qt::SizeFDiagCursor},     {eTop, Qt::SizeVerCursor},    {eRight | eTop, Qt::SizeBDiagCursor},
    {eLeft, Qt::SizeHorCursor},              {eRight, Qt::SizeHorCursor},  {eLeft | eBottom, Qt::SizeBDiagCursor},
    {eBottom, Qt::SizeVerCursor},            {eRight | eBottom, Qt::SizeFDiagCursor},
};

}  // namespace

QRect SizerReferenceRect(QWidget* surface, QWidget* target) {
  QPoint origin = target->isWindow() ? surface->mapFromGlobal(target->frameGeometry().topLeft())
                                     : surface->mapFromGlobal(target->mapToGlobal(QPoint(0, 0)));
  return QRect(origin, target->size());
}

QPoint AnchorPlace(int index, const QRect& r) {
  const int L = r.x(), T = r.y(), R = L + r.width(), B = T + r.height();
  const int CX = (L + R) / 2, CY = (T + B) / 2;
  const int edges = kKinds[index].Edges;
  const int x = edges & eLeft ? L - TControlAnchor::kSize : edges & eRight ? R : CX - 3;
  const int y = edges & eTop ? T - TControlAnchor::kSize : edges & eBottom ? B : CY - 3;
  return {x, y};
}

QRect DraggedBounds(int index, const QRect& start, int dx, int dy) {
  int L = start.x(), T = start.y(), R = L + start.width(), B = T + start.height();
  const int edges = kKinds[index].Edges;
  if (edges & eLeft) L += dx;
  if (edges & eRight) R += dx;
  if (edges & eTop) T += dy;
  if (edges & eBottom) B += dy;
  return QRect(L, T, std::max(0, R - L), std::max(0, B - T));
}

// ---------------------------------------------------------------- sizer

TControlSizer::TControlSizer(QWidget* surface, QWidget* target) : target_(target) {
  for (int i = 0; i < 8; ++i) {
    handles_[i] = new TControlAnchor(surface, i, target);
    handles_[i]->OnMoved = [this](TControlAnchor& h) { HandleMoved(h); };
  }
}

TControlSizer::~TControlSizer() {
  // The surface may have gone first and taken its child handles with it.
  for (auto& h : handles_) delete h.data();
}

void TControlSizer::UpdatePositions() {
  for (auto& h : handles_)
    if (h) h->PlaceSelf();
}

void TControlSizer::HandleMoved(TControlAnchor& handle) {
  for (auto& h : handles_)
    if (h && h != &handle) h->PlaceSelf();
  if (OnResize) OnResize(*this);
}

// ---------------------------------------------------------------- handle

TControlAnchor::TControlAnchor(QWidget* surface, int index, QWidget* target)
    : QWidget(surface), surface_(surface), target_(target), index_(index) {
  resize(kSize, kSize);
  setCursor(kKinds[index].Cursor);
  PlaceSelf();
  show();
  raise();
}

void TControlAnchor::PlaceSelf() {
  if (!target_) return;
  move(AnchorPlace(index_, SizerReferenceRect(surface_, target_)));
}

void TControlAnchor::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  p.setPen(QColor(0xFF, 0xFF, 0x00));
  p.drawRect(0, 0, kSize - 1, kSize - 1);
}

void TControlAnchor::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  event->accept();
  if (!target_) return;
  dragStart_ = event->globalPosition().toPoint();
  startBounds_ = target_->geometry();
  dragging_ = true;
}

void TControlAnchor::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  event->accept();
  if (!dragging_ || !target_) return;
  const QPoint d = event->globalPosition().toPoint() - dragStart_;
  target_->setGeometry(DraggedBounds(index_, startBounds_, d.x(), d.y()));
  PlaceSelf();
  if (OnMoved) OnMoved(*this);
}

void TControlAnchor::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  event->accept();
  if (!dragging_) return;
  if (OnMoved) OnMoved(*this);
  dragging_ = false;
}

}  // namespace zemblo
