// What the editor shows: the pixels of a grabbed image against the colours of the source
// page (grey paper, selection, margin line, gutter edge, the highlighter's colours).
#include <QApplication>
#include <QTest>

#include "EditorWidgetFixture.h"
#include "TestUtil.h"

namespace zemblo::test {
namespace {

const QColor kPaper(192, 192, 192);
const QColor kSelection(153, 153, 153);
const QColor kMargin(128, 128, 128);

class EditorPaint : public EditorWidgetTest {
 protected:
  // The colour of the cell's top pixel row, above every glyph: its background.
  QColor Background(const QImage& image, int col, int row) {
    const TPixelRect r = E().CellRect(col, row);
    return image.pixelColor(r.Left + E().CharWidth() / 2, r.Top);
  }
};

// From the middle of line 3 to the middle of line 5, with a wrapped line between: the rest of
// a row is painted as selected only where its logical line's end is selected.
TEST_F(EditorPaint, SelectionAcrossLinesColoursCellsAndLineEnds) {
  const std::string wrapped(60, 'x');
  SetText("zero\r\none\r\ntwo\r\nabcdef\r\n" + wrapped + " " + wrapped + "\r\nghijkl\r\nlast");
  ASSERT_EQ(E().Lines().RowCount(4), 2);
  editor->setFocus();
  E().ExtendSelection(3, 3);
  E().ExtendSelection(2, 6);
  editor->SetCaret(0, 9);
  const QImage img = Grab();
  struct {
    int col, row;
    QColor expected;
    const char* what;
  } const cells[] = {
      {1, 3, kPaper, "before the start"},
      {3, 3, kSelection, "at the start"},
      {30, 3, kSelection, "right of line 3's end"},
      {10, 4, kSelection, "characters of the wrapped line's first row"},
      {70, 4, kPaper, "right of the wrapped line's first row"},
      {70, 5, kSelection, "right of the wrapped line's end"},
      {1, 6, kSelection, "before the end"},
      {2, 6, kPaper, "at the end (exclusive)"},
      {30, 6, kPaper, "right of the last selected line"},
      {30, 2, kPaper, "a row above the selection"},
  };
  for (const auto& c : cells) EXPECT_EQ(Background(img, c.col, c.row), c.expected) << c.what;
}

// The margin line stands at TextLeft + 80 x CharWidth + 1 on every row, also below the text;
// the gutter is a plain strip whose last pixel column is the dark edge.
TEST_F(EditorPaint, MarginLineAndGutterEdge) {
  SetText("short");
  other->setFocus();
  const QImage img = Grab();
  const TAdvancedEditor& e = E();
  ASSERT_GE(e.VisibleCols(), 82);
  const int x = e.TextLeft() + 80 * e.CharWidth() + 1;
  for (int row : {0, 5, e.VisibleRows() - 1}) {
    const int y = row * e.LineHeight() + e.LineHeight() / 2;
    EXPECT_EQ(img.pixelColor(x, y), kMargin) << "row " << row;
    EXPECT_EQ(img.pixelColor(x - 1, y), kPaper) << "row " << row;
    EXPECT_EQ(img.pixelColor(x + 1, y), kPaper) << "row " << row;
  }
  ASSERT_EQ(e.GutterWidth(), 20);
  for (int y : {0, 100, img.height() - 1}) {
    EXPECT_EQ(img.pixelColor(0, y), kPaper);
    EXPECT_EQ(img.pixelColor(20, y), kPaper);
    EXPECT_EQ(img.pixelColor(21, y), kMargin);
    EXPECT_EQ(img.pixelColor(22, y), kPaper);
  }
}

// The caret stands in the pixel column left of its cell, one pixel below the row's top, and
// shows only while the editor has the focus.
TEST_F(EditorPaint, CaretShowsWithTheFocusOnly) {
  SetText("abc\r\ndef");
  editor->MoveCaret(2, 1);
  QApplication::processEvents();
  const TPixelRect cell = E().CellRect(2, 1);
  const QPoint caret(cell.Left - 1, cell.Top + 1);
  const QColor inverted(255 - kPaper.red(), 255 - kPaper.green(), 255 - kPaper.blue());
  EXPECT_EQ(Grab().pixelColor(caret), inverted);
  EXPECT_EQ(Grab().pixelColor(caret + QPoint(0, E().LineHeight() - 3)), inverted);
  EXPECT_EQ(Grab().pixelColor(caret - QPoint(0, 1)), kPaper);
  other->setFocus();
  ASSERT_TRUE(WaitFor([this] { return !editor->hasFocus(); }));
  EXPECT_EQ(Grab().pixelColor(caret), kPaper);
}

// The highlighter's colours land in the cells of their characters; a file of another type
// stays in the font colour.
TEST_F(EditorPaint, HighlighterColoursLandInTheirCells) {
  TTempDir dir;
  const std::string line = "<?php $name = 12; // note ?>";
  WriteAll(dir / "page.php", line);
  WriteAll(dir / "page.txt", line);
  other->setFocus();
  editor->LoadFile(dir / "page.php");
  QImage img = Grab();
  struct {
    int col;
    QColor color;
  } const cells[] = {
      {2, QColor(0, 128, 128)},    // php: a keyword
      {7, QColor(128, 0, 128)},    // name: a variable
      {15, QColor(128, 0, 0)},     // 2: a number
      {22, QColor(128, 128, 128)}, // note: a comment
  };
  for (const auto& c : cells) {
    EXPECT_TRUE(CellHas(img, E(), c.col, 0, c.color)) << "column " << c.col;
    EXPECT_FALSE(CellHas(img, E(), c.col, 0, Qt::black)) << "column " << c.col;
  }
  editor->LoadFile(dir / "page.txt");
  img = Grab();
  for (const auto& c : cells) {
    EXPECT_TRUE(CellHas(img, E(), c.col, 0, Qt::black)) << "column " << c.col;
    EXPECT_FALSE(CellHas(img, E(), c.col, 0, c.color)) << "column " << c.col;
  }
}

// Changes made on the engine directly (as the event-handler insertion does) reach the screen.
TEST_F(EditorPaint, EngineChangesAreRepainted) {
  SetText("one\r\ntwo");
  other->setFocus();
  ASSERT_FALSE(CellHas(Grab(), E(), 0, 3, Qt::black));
  E().Lines().Add("added");
  E().Lines().Add("");
  E().Lines().Add("more");
  QApplication::processEvents();
  EXPECT_TRUE(CellHas(Grab(), E(), 0, 2, Qt::black));
  editor->MoveCaret(0, 4);
  E().InsertText("X");
  QApplication::processEvents();
  const QImage img = Grab();
  EXPECT_TRUE(CellHas(img, E(), 0, 4, Qt::black));
  EXPECT_TRUE(CellHas(img, E(), 1, 4, Qt::black));
}

// While the update lock is held the screen keeps what it showed; its release shows the
// changes in full.
TEST_F(EditorPaint, NothingIsPaintedUnderTheUpdateLock) {
  SetText("one");
  other->setFocus();
  const QImage before = Grab();
  E().ExecuteCommand(cmdBeginUpdate);
  E().Lines().Add("two");
  E().Lines().Put(0, "changed");
  editor->Invalidate();
  EXPECT_TRUE(Grab() == before);
  E().ExecuteCommand(cmdEndUpdate);
  QApplication::processEvents();
  const QImage after = Grab();
  EXPECT_TRUE(CellHas(after, E(), 5, 0, Qt::black));
  EXPECT_TRUE(CellHas(after, E(), 0, 1, Qt::black));
}

// Only whole rows count as visible, but the partly visible row below them is drawn too; a
// control too small for one cell still paints.
TEST_F(EditorPaint, PartlyVisibleRowIsDrawnAndTinySizesPaint) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "row\r\n";
  SetText(text);
  other->setFocus();
  const int lh = E().LineHeight();
  editor->resize(editor->width(), editor->height() - View()->height() + 10 * lh + lh / 2);
  QApplication::processEvents();
  ASSERT_EQ(E().VisibleRows(), 10);
  EXPECT_TRUE(CellHas(Grab(), E(), 0, 10, Qt::black));
  for (QSize size : {QSize(0, 0), QSize(3, 3), QSize(30, 12)}) {
    editor->resize(size);
    QApplication::processEvents();
    EXPECT_EQ(E().VisibleCols(), 0);
    EXPECT_GE(E().CharWidth(), 1);
    (void)Grab();
  }
}

}  // namespace
}  // namespace zemblo::test
