// The grab handles around the designer's selection. Each of the eight handles is a small
// widget on the design surface; dragging one moves the edges of the selected control that it
// stands for, live, and reports every change. The sizer knows nothing of XML: it changes the
// control's bounds and calls back, and the designer writes them into the element.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <array>
#include <functional>

namespace zemblo {

class TControlAnchor;

class TControlSizer {
 public:
  // Eight handles, index 0 to 7, on `surface` around `target`.
  TControlSizer(QWidget* surface, QWidget* target);
  ~TControlSizer();
  TControlSizer(const TControlSizer&) = delete;
  TControlSizer& operator=(const TControlSizer&) = delete;

  // Places all handles anew around the target's current bounds (after the designer moved it).
  void UpdatePositions();
  // A handle changed the target: the other seven follow, then OnResize.
  void HandleMoved(TControlAnchor& handle);

  TControlAnchor* Handle(int index) const { return handles_[index]; }
  QWidget* Target() const { return target_; }

  // Called after every change of the target's bounds through a handle, and once more when
  // the button is released.
  std::function<void(TControlSizer&)> OnResize;

 private:
  QPointer<QWidget> target_;
  std::array<QPointer<TControlAnchor>, 8> handles_;
};

// One handle, 7 by 7 pixels: a yellow outline around black. Index and place:
//   0 top left     1 top middle     2 top right
//   3 middle left                   4 middle right
//   5 bottom left  6 bottom middle  7 bottom right
// Corner handles lie just outside the target's corners, middle ones are centred on its
// edges. A press of any button starts a drag; every move sets the target's bounds to the
// bounds at the press with the handle's edges moved by the total movement since the press
// (so no error builds up), with width and height kept at 0 or more. Qt keeps the mouse with
// the pressed handle, so the drag goes on when the cursor leaves it.
class TControlAnchor : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSize = 7;

  TControlAnchor(QWidget* surface, int index, QWidget* target);

  int Index() const { return index_; }
  bool Dragging() const { return dragging_; }
  // Puts itself at its place around the target's current bounds.
  void PlaceSelf();

  // Set by the sizer to its HandleMoved.
  std::function<void(TControlAnchor&)> OnMoved;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QWidget* surface_;
  QPointer<QWidget> target_;
  const int index_;
  // A separate flag rather than a negative start point: screens left of or above the primary
  // one have negative coordinates.
  bool dragging_ = false;
  QPoint dragStart_;    // global cursor position at the press
  QRect startBounds_;   // the target's geometry at the press, in its parent's coordinates
};

// The target's rectangle as the handles see it: its top left corner in the surface's
// coordinates (the outer corner for a top-level window) and its size.
QRect SizerReferenceRect(QWidget* surface, QWidget* target);
// Top left corner of handle `index` around `r` (see TControlAnchor).
QPoint AnchorPlace(int index, const QRect& r);
// The bounds after dragging handle `index` by (dx, dy) from `start`.
QRect DraggedBounds(int index, const QRect& start, int dx, int dy);

}  // namespace zemblo
