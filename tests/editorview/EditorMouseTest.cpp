// The pointer in the editor: clicks to cells, shift and right clicks, drags with the timed
// auto-scroll, double clicks on words, the wheel and the scroll bars.
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "EditorWidgetFixture.h"

namespace zemblo::test {
namespace {

class EditorMouse : public EditorWidgetTest {
 protected:
  // "line 0" to "line <n-1>".
  void Numbered(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += "line " + std::to_string(i) + "\r\n";
    SetText(text);
  }
  void Wheel(int delta) {
    const QPointF at(View()->rect().center());
    QWheelEvent e(at, View()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(View(), &e);
  }
  // Press, release, the double-click report and its release, as the window system sends them.
  void DoubleClick(QPoint at) {
    QTest::mousePress(View(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(View(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, at);
  }
  // The editor as it shows now, against the same view painted from scratch.
  void ExpectSameAsFullRepaint(const char* what) {
    QApplication::processEvents();
    const QImage shown = Grab();
    editor->Invalidate();
    EXPECT_TRUE(shown == Grab()) << what;
  }
};

TEST_F(EditorMouse, ClickPlacesTheCaretInTheNearestColumn) {
  SetText("abcdefgh\r\nij\r\nkl");
  const int cw = E().CharWidth();
  struct {
    QPoint at;
    int col, row;
    const char* what;
  } const clicks[] = {
      {CellPoint(5, 0, 1), 5, 0, "left half of column 5"},
      {CellPoint(5, 0, cw - 2), 6, 0, "right half of column 5"},
      {QPoint(3, CellPoint(0, 1).y()), 0, 1, "in the gutter"},
      {CellPoint(20, 1, 1), 20, 1, "right of the row's end"},
      {CellPoint(4, 12, 1), 4, 2, "below the last row"},
  };
  for (const auto& c : clicks) {
    QTest::mouseClick(View(), Qt::LeftButton, {}, c.at);
    EXPECT_EQ(editor->CaretX(), c.col) << c.what;
    EXPECT_EQ(editor->CaretY(), c.row) << c.what;
  }
  EXPECT_TRUE(editor->hasFocus());
}

TEST_F(EditorMouse, ShiftClickExtendsAndRightClickKeepsTheSelection) {
  SetText("abcdefgh\r\nijklmnop\r\nqrstuvwx");
  QTest::mouseClick(View(), Qt::LeftButton, {}, CellPoint(1, 0, 1));
  QTest::mouseClick(View(), Qt::LeftButton, Qt::ShiftModifier, CellPoint(4, 2, 1));
  EXPECT_EQ(E().SelectedText(), "bcdefgh\r\nijklmnop\r\nqrst");
  // A second shift-click re-extends from the same anchor, here backwards.
  QTest::mouseClick(View(), Qt::LeftButton, Qt::ShiftModifier, CellPoint(0, 0, 1));
  EXPECT_EQ(E().SelectedText(), "a");
  QTest::mouseClick(View(), Qt::RightButton, {}, CellPoint(6, 1, 1));
  EXPECT_EQ(editor->CaretY(), 1);
  EXPECT_EQ(E().SelectedText(), "a");
  QTest::mouseClick(View(), Qt::LeftButton, {}, CellPoint(6, 1, 1));
  EXPECT_FALSE(E().SelAvail());
}

TEST_F(EditorMouse, DragSelectsAndReleaseEndsIt) {
  Numbered(10);
  QTest::mousePress(View(), Qt::LeftButton, {}, CellPoint(2, 1, 1));
  EXPECT_TRUE(editor->MouseCaptured());
  QTest::mouseMove(View(), CellPoint(3, 2, 1));
  QTest::mouseMove(View(), CellPoint(5, 3, 1));
  EXPECT_EQ(E().SelectedText(), "ne 1\r\nline 2\r\nline ");
  EXPECT_EQ(editor->CaretX(), 5);
  EXPECT_EQ(editor->CaretY(), 3);
  QTest::mouseRelease(View(), Qt::LeftButton, {}, CellPoint(5, 3, 1));
  EXPECT_FALSE(editor->MouseCaptured());
  // Moving without a button selects nothing more.
  QTest::mouseMove(View(), CellPoint(1, 5, 1));
  EXPECT_EQ(editor->CaretY(), 3);
  ExpectSameAsFullRepaint("after the drag");
}

// Held below the window during a drag, the pointer scrolls the view on the 100 ms timer: one
// row a tick close to the edge, a page a tick further out; the release stops it.
TEST_F(EditorMouse, DragOutsideAutoScrolls) {
  Numbered(200);
  const int rows = E().VisibleRows();
  const int below = View()->height();
  struct {
    int outside;
    int step;
  } const cases[] = {{10, 1}, {30, rows}};
  for (const auto& c : cases) {
    editor->SetCaret(0, 0);
    editor->ScrollTo(0, 0);
    QTest::mousePress(View(), Qt::LeftButton, {}, CellPoint(2, 1, 1));
    QTest::mouseMove(View(), QPoint(CellPoint(2, 0).x(), below + c.outside));
    EXPECT_TRUE(editor->AutoScrollRunning());
    // The pointer's own row lies below the view; every tick goes on from it.
    int seen = editor->CaretY();
    ASSERT_TRUE(WaitFor([&] { return editor->CaretY() != seen; })) << c.outside;
    seen = editor->CaretY();
    ASSERT_TRUE(WaitFor([&] { return editor->CaretY() != seen; })) << c.outside;
    EXPECT_EQ(editor->CaretY(), seen + c.step) << c.outside;
    EXPECT_GT(editor->TopRow(), 0);
    EXPECT_EQ(E().SelStartY(), 1);
    EXPECT_EQ(E().SelEndY(), editor->CaretY());
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(CellPoint(2, 0).x(), below + c.outside));
    EXPECT_FALSE(editor->AutoScrollRunning());
    const int stopped = editor->CaretY();
    QTest::qWait(250);
    EXPECT_EQ(editor->CaretY(), stopped);
  }
  ExpectSameAsFullRepaint("after the auto-scroll");
}

TEST_F(EditorMouse, DoubleClickSelectsTheWordUnderThePointer) {
  SetText("  echo $name . 'x';\r\nab.cd");
  DoubleClick(CellPoint(9, 0, 1));
  EXPECT_EQ(E().SelectedText(), "$name");
  EXPECT_EQ(editor->CaretX(), 12);
  // Only one press is skipped: the next click places the caret again.
  QTest::mouseClick(View(), Qt::LeftButton, {}, CellPoint(1, 1, 1));
  EXPECT_FALSE(E().SelAvail());
  EXPECT_EQ(editor->CaretY(), 1);
  DoubleClick(CellPoint(2, 1, 1));
  EXPECT_EQ(E().SelectedText(), "ab");
}

// A notch scrolls the system's three rows whatever its size; fractions of a notch add up.
TEST_F(EditorMouse, WheelScrollsThreeRowsANotch) {
  Numbered(100);
  ASSERT_EQ(QApplication::wheelScrollLines(), 3);
  Wheel(-120);
  EXPECT_EQ(editor->TopRow(), 3);
  Wheel(-480);
  EXPECT_EQ(editor->TopRow(), 6);
  Wheel(120);
  EXPECT_EQ(editor->TopRow(), 3);
  for (int i = 0; i < 3; ++i) Wheel(-30);
  EXPECT_EQ(editor->TopRow(), 3);
  Wheel(-30);
  EXPECT_EQ(editor->TopRow(), 6);
  EXPECT_EQ(editor->CaretY(), 0);
  ExpectSameAsFullRepaint("after wheel scrolls");
  // At the end of the range the last row stays at the bottom.
  for (int i = 0; i < 50; ++i) Wheel(-120);
  EXPECT_EQ(editor->TopRow(), 100 - E().VisibleRows());
}

TEST_F(EditorMouse, ScrollBarMovesTheViewTopAndBottomOnlyTheThumb) {
  Numbered(100);
  QScrollBar* bar = editor->verticalScrollBar();
  const int rows = E().VisibleRows();
  EXPECT_TRUE(bar->isEnabled());
  EXPECT_EQ(bar->maximum(), 100 - rows);
  EXPECT_EQ(bar->pageStep(), rows);
  EXPECT_FALSE(editor->horizontalScrollBar()->isEnabled());
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(editor->TopRow(), 1);
  ExpectSameAsFullRepaint("after a line down");
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(editor->TopRow(), rows);
  EXPECT_EQ(bar->value(), rows);
  ExpectSameAsFullRepaint("after a page down");
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(editor->TopRow(), 1);
  ExpectSameAsFullRepaint("after a page up");
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(editor->TopRow(), 1);
  // Dragging the thumb moves the text with it.
  bar->setSliderPosition(40);
  EXPECT_EQ(editor->TopRow(), 40);
  ExpectSameAsFullRepaint("after a thumb drag");
  bar->setValue(10);
  EXPECT_EQ(editor->TopRow(), 10);
  // A view past the end shows blank rows; the thumb stays at the end of its range.
  editor->ScrollTo(0, 150);
  QApplication::processEvents();
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_FALSE(CellHas(Grab(), E(), 0, 0, Qt::black));
}

}  // namespace
}  // namespace zemblo::test
