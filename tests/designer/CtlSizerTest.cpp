// The selection sizer's eight handles: where they sit, how they look, and what dragging each
// does to the selected control.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <memory>

#include "designer/CtlSizer.h"

using namespace zemblo;

namespace {

// A design surface with a container at (20, 10) holding the target at (30, 30), 100 by 60:
// the target's corner lies at (50, 40) on the surface.
struct TScene {
  QWidget surface;
  QWidget* container = new QWidget(&surface);
  QWidget* target = new QWidget(container);
  std::unique_ptr<TControlSizer> sizer;
  int resizes = 0;

  TScene() {
    surface.resize(400, 300);
    container->setGeometry(20, 10, 300, 250);
    target->setGeometry(30, 30, 100, 60);
    surface.show();
    sizer = std::make_unique<TControlSizer>(&surface, target);
    sizer->OnResize = [this](TControlSizer&) { ++resizes; };
  }

  // Presses handle `index` in its middle, moves the cursor by each of `steps` in turn (the
  // total movement since the press), and releases.
  void Drag(int index, std::initializer_list<QPoint> steps, bool release = true) {
    TControlAnchor* h = sizer->Handle(index);
    const QPoint start = h->mapToGlobal(QPoint(3, 3));
    QTest::mousePress(h, Qt::LeftButton, {}, QPoint(3, 3));
    QPoint last = start;
    for (QPoint d : steps) {
      last = start + d;
      QTest::mouseMove(h, h->mapFromGlobal(last));
    }
    if (release) QTest::mouseRelease(h, Qt::LeftButton, {}, h->mapFromGlobal(last));
  }

  // Every handle sits at its place around the target's bounds as seen on the surface.
  void ExpectHandlesAround(QRect r) {
    const int L = r.x(), T = r.y(), R = L + r.width(), B = T + r.height(), CX = (L + R) / 2, CY = (T + B) / 2;
    const QPoint want[8] = {{L - 7, T - 7}, {CX - 3, T - 7}, {R, T - 7}, {L - 7, CY - 3},
                            {R, CY - 3},    {L - 7, B},      {CX - 3, B}, {R, B}};
    for (int i = 0; i < 8; ++i) {
      EXPECT_EQ(sizer->Handle(i)->geometry(), QRect(want[i], QSize(7, 7))) << "handle " << i;
      EXPECT_EQ(sizer->Handle(i)->parentWidget(), &surface);
    }
  }
};

}  // namespace

TEST(ControlSizer, EightHandlesAroundTheTargetWithTheirCursorsAndLook) {
  TScene s;
  s.ExpectHandlesAround(QRect(50, 40, 100, 60));
  const Qt::CursorShape cursors[8] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
                                      Qt::SizeHorCursor,   Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(s.sizer->Handle(i)->cursor().shape(), cursors[i]) << i;
    EXPECT_EQ(s.sizer->Handle(i)->Index(), i);
  }
  // Above the designed controls: a handle wins over a control added later under it.
  QWidget late(&s.surface);
  late.setGeometry(0, 0, 400, 300);
  late.show();
  s.sizer->UpdatePositions();
  EXPECT_EQ(s.surface.childAt(46, 36), &late);  // handles come to the front when made
  TControlSizer again(&s.surface, s.target);
  EXPECT_EQ(s.surface.childAt(46, 36), again.Handle(0));

  QImage img = s.sizer->Handle(0)->grab().toImage();
  for (QPoint edge : {QPoint(0, 0), QPoint(6, 0), QPoint(0, 6), QPoint(6, 6), QPoint(3, 0)})
    EXPECT_EQ(img.pixelColor(edge), QColor(255, 255, 0)) << edge.x() << "," << edge.y();
  for (QPoint inner : {QPoint(1, 1), QPoint(3, 3), QPoint(5, 5)}) EXPECT_EQ(img.pixelColor(inner), QColor(0, 0, 0));
}

TEST(ControlSizer, EachHandleMovesItsOwnEdgesByTheDrag) {
  // The target starts at (30, 30) 100 by 60 in its container; every handle is dragged by (+10, +5).
  const QRect after[8] = {
      QRect(40, 35, 90, 55),   // 0: left and top
      QRect(30, 35, 100, 55),  // 1: top only
      QRect(30, 35, 110, 55),  // 2: right and top
      QRect(40, 30, 90, 60),   // 3: left only
      QRect(30, 30, 110, 60),  // 4: right only
      QRect(40, 30, 90, 65),   // 5: left and bottom
      QRect(30, 30, 100, 65),  // 6: bottom only
      QRect(30, 30, 110, 65),  // 7: right and bottom
  };
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    TScene s;
    s.Drag(i, {QPoint(10, 5)});
    EXPECT_EQ(s.target->geometry(), after[i]);
    s.ExpectHandlesAround(QRect(s.target->mapTo(&s.surface, QPoint(0, 0)), s.target->size()));
  }
  TScene sideways;
  sideways.Drag(1, {QPoint(25, 0)});
  EXPECT_EQ(sideways.target->geometry(), QRect(30, 30, 100, 60));
}

TEST(ControlSizer, ADragWorksFromTheTotalMovementAndReportsEveryMoveAndTheRelease) {
  TScene s;
  std::vector<QRect> seen;
  s.sizer->OnResize = [&](TControlSizer& z) {
    EXPECT_EQ(&z, s.sizer.get());
    seen.push_back(s.target->geometry());
  };
  // Far outside the handle, back and forth: each move starts again from the press.
  s.Drag(7, {QPoint(3, 3), QPoint(300, 200), QPoint(-5, 2), QPoint(10, 5)});
  ASSERT_EQ(seen.size(), 5u);  // four moves, then the release once more
  EXPECT_EQ(seen[0], QRect(30, 30, 103, 63));
  EXPECT_EQ(seen[1], QRect(30, 30, 400, 260));
  EXPECT_EQ(seen[2], QRect(30, 30, 95, 62));
  EXPECT_EQ(seen[3], QRect(30, 30, 110, 65));
  EXPECT_EQ(seen[4], seen[3]);
  EXPECT_FALSE(s.sizer->Handle(7)->Dragging());

  // Moves without a press do nothing; a new press starts from the bounds it finds.
  QTest::mouseMove(s.sizer->Handle(7), QPoint(50, 50));
  EXPECT_EQ(s.target->geometry(), QRect(30, 30, 110, 65));
  s.Drag(0, {QPoint(-10, -10)});
  EXPECT_EQ(s.target->geometry(), QRect(20, 20, 120, 75));
}

TEST(ControlSizer, AnEdgePulledAcrossTheOtherStopsAtZeroExtent) {
  TScene s;
  s.Drag(4, {QPoint(-150, 0)});
  EXPECT_EQ(s.target->geometry(), QRect(30, 30, 0, 60));
  TScene t;
  t.Drag(0, {QPoint(0, 100)});
  EXPECT_EQ(t.target->y(), 130);
  EXPECT_EQ(t.target->height(), 0);
}

TEST(ControlSizer, UpdatePositionsAfterTheTargetMovedAndLifetimes) {
  TScene s;
  s.target->setGeometry(5, 6, 40, 30);
  s.sizer->UpdatePositions();
  s.ExpectHandlesAround(QRect(25, 16, 40, 30));

  // The target goes first: the handles stay put and a drag changes nothing.
  TScene t;
  delete t.target;
  t.Drag(7, {QPoint(10, 10)});
  t.sizer->UpdatePositions();
  EXPECT_EQ(t.resizes, 0);

  // The surface goes first, taking its child handles: the sizer is still destroyed cleanly.
  auto surface = std::make_unique<QWidget>();
  auto* target = new QWidget(surface.get());
  auto sizer = std::make_unique<TControlSizer>(surface.get(), target);
  surface.reset();
  sizer.reset();
}
