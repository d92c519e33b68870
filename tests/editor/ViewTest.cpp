// The view arithmetic the widget relies on: metrics, caret placement and scrolling, the
// scroll bar model, mouse cells and selection, and the composition of painted rows.
#include <gtest/gtest.h>

#include "FakePlatform.h"

using namespace zemblo;
using zemblo::test::NumberedRows;
using zemblo::test::TEditorRig;

namespace {

const TRowImage* DrawnRow(const TEditorRig& rig, int row) {
  for (auto it = rig.platform.Rows.rbegin(); it != rig.platform.Rows.rend(); ++it)
    if (it->Row == row) return &*it;
  return nullptr;
}

}  // namespace

TEST(EditorScrollBar, ClampsToLeaveTheLastPageInView) {
  TAdvEditScrollBar bar;
  bar.SetScrollRange(100, 30);
  EXPECT_EQ(bar.Max, 99);
  EXPECT_EQ(bar.PageSize, 30);
  EXPECT_EQ(bar.LargeChange, 29);
  bar.SetParam(TScrollParam::Position, 500);
  EXPECT_EQ(bar.Position, 70);
  bar.SetParam(TScrollParam::Position, -5);
  EXPECT_EQ(bar.Position, 0);
  bar.SetScrollRange(10, 30);  // everything fits
  EXPECT_EQ(bar.Max, 0);
  EXPECT_EQ(bar.Position, 0);
}

TEST(EditorScrollBar, ScrollCodesMoveThePositionAndOnlySomeMoveTheView) {
  TEditorRig rig(NumberedRows(100));
  struct Case {
    int code;
    int expectedPosition;
    int expectedTop;
  };
  rig.platform.TrackPos = 33;
  const Case cases[] = {
      {scLineDown, 1, 1},   {scPageDown, 20, 20},   {scLineUp, 19, 19}, {scThumbTrack, 33, 33},
      {scBottom, 80, 33},   {scTop, 0, 33},         {scPageUp, 0, 0},   {scThumbPosition, 33, 0},
      {scEndScroll, 33, 0},
  };
  for (const Case& c : cases) {
    rig.editor.HandleScroll(true, c.code);
    EXPECT_EQ(rig.editor.VScrollBar().Position, c.expectedPosition) << "code " << c.code;
    EXPECT_EQ(rig.editor.TopRow(), c.expectedTop) << "code " << c.code;
  }
  EXPECT_EQ(rig.platform.Bars[1].Max, 99);
  EXPECT_EQ(rig.platform.Bars[1].Page, 20);
}

TEST(EditorMetrics, WholeCellsCountAndTinyControlsStaySane) {
  TEditorRig rig;
  rig.platform.Height = 218;  // 10.9 rows
  rig.editor.Resize();
  EXPECT_EQ(rig.editor.VisibleRows(), 10);
  rig.platform.Width = 0;
  rig.platform.Height = 0;
  rig.platform.Cell = {0, 0};
  rig.editor.Resize();
  EXPECT_EQ(rig.editor.CharWidth(), 1);
  EXPECT_EQ(rig.editor.LineHeight(), 1);
  EXPECT_EQ(rig.editor.TextWidth(), 0);
  EXPECT_EQ(rig.editor.VisibleCols(), 0);
  EXPECT_EQ(rig.editor.VisibleRows(), 0);
}

TEST(EditorCaret, ClampsAndScrollsIntoView) {
  TEditorRig rig(NumberedRows(100));
  rig.editor.SetCaret(-4, 500);
  EXPECT_EQ(rig.CaretPos(), (TRowCol{99, 0}));
  EXPECT_EQ(rig.editor.TopRow(), 80);  // the caret row at the bottom
  rig.editor.SetCaret(3, 10);
  EXPECT_EQ(rig.editor.TopRow(), 10);  // the caret row at the top
  rig.editor.SetCaret(150, 10);        // right of the last visible column
  EXPECT_EQ(rig.editor.LeftCol(), 50);
  rig.editor.SetCaret(9999, 10);
  EXPECT_EQ(rig.editor.CaretX(), rig.editor.MaxLineLength());
}

TEST(EditorCaret, TheSystemCaretStandsLeftOfTheCell) {
  TEditorRig rig("abc");
  rig.editor.SetGutterWidth(20);
  rig.platform.Focus = true;
  rig.editor.FocusIn();
  EXPECT_EQ(rig.platform.CaretSize.Width, 2);
  EXPECT_EQ(rig.platform.CaretSize.Height, 18);
  EXPECT_TRUE(rig.platform.CaretShown);
  EXPECT_EQ(rig.platform.CaretPos, (TPixelPoint{22, 1}));
  rig.editor.SetCaret(2, 0);
  EXPECT_EQ(rig.platform.CaretPos, (TPixelPoint{42, 1}));
  // Commands hide the caret while they run and show it once at the end.
  rig.Run({cmdRight});
  EXPECT_TRUE(rig.platform.CaretShown);
}

TEST(EditorScrolling, SmallVerticalMovesShiftPixelsAndLargeOnesRepaint) {
  TEditorRig rig(NumberedRows(100));
  rig.platform.Scrolls.clear();
  const int invalidations = rig.platform.Invalidations;
  rig.editor.ScrollTo(0, 3);
  ASSERT_EQ(rig.platform.Scrolls.size(), 1u);
  EXPECT_EQ(rig.platform.Scrolls[0].second, -60);
  EXPECT_EQ(rig.platform.Scrolls[0].first, (TPixelRect{2, 0, 1002, 420}));
  rig.editor.ScrollTo(0, 50);
  EXPECT_EQ(rig.platform.Scrolls.size(), 1u);
  EXPECT_EQ(rig.platform.Invalidations, invalidations + 1);
  EXPECT_EQ(rig.editor.BottomRow(), 69);
  // Past the end: blank rows below the text, the thumb at the end of its range.
  rig.editor.ScrollTo(0, 95);
  EXPECT_EQ(rig.editor.TopRow(), 95);
  EXPECT_EQ(rig.editor.VScrollBar().Position, 80);
  // Under the update lock only the figure changes.
  rig.Run({cmdBeginUpdate});
  rig.platform.Scrolls.clear();
  rig.editor.ScrollTo(0, 2);
  EXPECT_EQ(rig.editor.TopRow(), 2);
  EXPECT_TRUE(rig.platform.Scrolls.empty());
  rig.Run({cmdEndUpdate});
  EXPECT_TRUE(rig.editor.FullRepaint());
  EXPECT_EQ(rig.editor.UpdateCount(), 0);
}

TEST(EditorScrolling, TheWheelScrollsBySystemRowsUpToTheEnd) {
  TEditorRig rig(NumberedRows(30));
  rig.editor.MouseWheel(-1200);
  EXPECT_EQ(rig.editor.TopRow(), 3);
  rig.editor.MouseWheel(-1);
  rig.editor.MouseWheel(-1);
  rig.editor.MouseWheel(-1);
  EXPECT_EQ(rig.editor.TopRow(), 10);  // 30 rows, 20 visible
  rig.editor.MouseWheel(120);
  EXPECT_EQ(rig.editor.TopRow(), 7);
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 0}));
}

TEST(EditorMouse, PixelsMapToCellsByTheNearestColumn) {
  TEditorRig rig("0123456789\r\nsecond\r\n");
  struct Case {
    int x, y;
    TRowCol cell;
  };
  // Column 5 spans x = 52 .. 61 (TextLeft 2 + 5 * 10); the nearest-column rule puts a
  // click in its right half on column 6.
  const Case cases[] = {{54, 5, {0, 5}}, {59, 5, {0, 6}}, {0, 5, {0, 0}}, {-30, -30, {0, 0}},
                        {302, 25, {1, 30}}, {52, 300, {1, 5}}, {5000, 5, {0, 99}}};
  for (const Case& c : cases) EXPECT_EQ(rig.editor.PointToCell(c.x, c.y), c.cell) << c.x << "," << c.y;
}

TEST(EditorMouse, ClicksPlaceTheCaretAndShiftClicksSelect) {
  TEditorRig rig("alpha beta\r\ngamma\r\n");
  rig.editor.MouseDown(TMouseButton::Left, ssLeft, 152, 5);  // beyond the row end
  rig.editor.MouseUp();
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 15}));
  EXPECT_FALSE(rig.platform.Captured);
  rig.editor.SetCaret(2, 0);
  rig.editor.MouseDown(TMouseButton::Left, ssShift | ssLeft, 32, 25);
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{2, 0, 3, 1}));
  rig.editor.MouseDown(TMouseButton::Left, ssShift | ssLeft, 12, 5);  // re-extends from the anchor
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{1, 0, 2, 0}));
  rig.editor.MouseDown(TMouseButton::Right, ssRight, 72, 25);  // moves the caret, keeps the selection
  EXPECT_TRUE(rig.editor.SelAvail());
  EXPECT_EQ(rig.CaretPos(), (TRowCol{1, 7}));
  rig.editor.MouseDown(TMouseButton::Left, ssLeft, 72, 5);
  EXPECT_FALSE(rig.editor.SelAvail());
}

TEST(EditorMouse, DraggingSelectsFromThePressAroundTheAnchor) {
  TEditorRig rig("abcdefgh\r\nijklmnop\r\n");
  rig.editor.MouseDown(TMouseButton::Left, ssLeft, 42, 25);  // (4, 1)
  rig.editor.MouseMove(ssLeft, 62, 25);  // the first move is already two cells away
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{4, 1, 6, 1}));
  rig.editor.MouseMove(ssLeft, 22, 5);
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{2, 0, 4, 1}));
  rig.editor.MouseMove(ssLeft, 42, 25);  // back to the anchor: empty but present
  EXPECT_TRUE(rig.editor.SelAvail());
  EXPECT_EQ(rig.editor.SelectedText(), "");
  rig.editor.MouseMove(ssLeft | ssShift, 82, 25);  // with Shift held nothing moves
  EXPECT_EQ(rig.CaretPos(), (TRowCol{1, 4}));
  rig.editor.MouseUp();
}

TEST(EditorMouse, AutoScrollStepsByRowsOrPagesAndStaysInTheText) {
  TEditorRig rig(NumberedRows(100));
  rig.editor.SetCaret(0, 50);
  rig.editor.ScrollTo(0, 40);
  rig.editor.MouseDown(TMouseButton::Left, ssLeft, 2, 105);  // row 45
  rig.editor.MouseMove(ssLeft, 2, -10);
  EXPECT_TRUE(rig.platform.TimerRunning);
  rig.editor.AutoScrollStep();
  EXPECT_EQ(rig.CaretPos().Row, 39);  // one row above the top
  rig.editor.MouseMove(ssLeft, 2, -30);
  rig.editor.AutoScrollStep();
  EXPECT_EQ(rig.CaretPos().Row, 19);  // a page further
  rig.editor.MouseMove(ssLeft, 2, 500);
  for (int i = 0; i < 10; ++i) rig.editor.AutoScrollStep();
  EXPECT_EQ(rig.editor.SelEndY(), 99);  // never past the last row
  EXPECT_FALSE(rig.editor.SelectedText().empty());
  rig.editor.MouseMove(ssLeft, 50, 50);
  EXPECT_FALSE(rig.platform.TimerRunning);
  rig.editor.MouseUp();
}

TEST(EditorMouse, DoubleClickSelectsTheWord) {
  struct Case {
    const char* text;
    int col;
    TSelectionState selection;
    int caretCol;
  };
  const Case cases[] = {
      {"echo $name;", 7, {5, 0, 10, 0}, 10},  // $ belongs to the word
      {"ab.cd", 2, {0, 0, 2, 0}, 2},          // on the dot: the word before it
      {"ab..cd", 3, {3, 0, 4, 0}, 3},         // a delimiter after a delimiter
  };
  for (const Case& c : cases) {
    TEditorRig rig(c.text);
    rig.editor.MouseDown(TMouseButton::Left, ssLeft, 2 + c.col * 10, 5);
    rig.editor.MouseUp();
    rig.editor.DoubleClick();
    rig.editor.MouseDown(TMouseButton::Left, ssLeft | ssDouble, 2 + c.col * 10, 5);  // skipped
    EXPECT_EQ(rig.editor.Selection(), c.selection) << c.text;
    EXPECT_EQ(rig.editor.CaretX(), c.caretCol) << c.text;
  }
}

TEST(EditorPainting, AnEmptyDocumentDrawsBackgroundAndMargin) {
  TEditorRig rig;
  int hooks = 0;
  rig.editor.OnHighlightLine = [&](TAdvancedEditor*, const std::string&, int, const TSelAttrs&, TLineAttrs&) { ++hooks; };
  rig.editor.Paint({0, 0, 1002, 400});
  ASSERT_EQ(rig.platform.Rows.size(), 21u);  // rows 0 .. 20: the partly visible one is drawn too
  for (const TRowImage& r : rig.platform.Rows) {
    EXPECT_TRUE(r.Runs.empty());
    EXPECT_EQ(r.Background, rig.editor.Color);
    EXPECT_EQ(r.MarginX, 2 + 80 * 10 + 1);
  }
  EXPECT_EQ(hooks, 0);
  ASSERT_FALSE(rig.platform.Gutters.empty());
  EXPECT_EQ(rig.platform.Gutters.back().Width, 2);  // no gutter: a two-pixel strip
  EXPECT_FALSE(rig.platform.Gutters.back().HasEdge);
}

TEST(EditorPainting, TheMarginNeedsItsColumnInView) {
  TEditorRig rig("x");
  rig.platform.Width = 602;  // 60 columns
  rig.editor.Resize();
  rig.editor.DrawRow(0, -1, -1);
  EXPECT_EQ(DrawnRow(rig, 0)->MarginX, -1);
}

TEST(EditorPainting, SelectionMarksCharactersAndLineEnds) {
  TEditorRig rig("line0\r\nline1\r\nline2\r\nline three\r\nline four\r\nline five\r\n" + std::string(100, 'w') +
                 "\r\n");
  rig.editor.ExtendSelection(5, 3);
  rig.editor.ExtendSelection(4, 5);
  rig.platform.Rows.clear();
  rig.editor.Paint({0, 0, 1002, 400});
  const TRowImage* r3 = DrawnRow(rig, 3);
  const TRowImage* r4 = DrawnRow(rig, 4);
  const TRowImage* r5 = DrawnRow(rig, 5);
  ASSERT_TRUE(r3 && r4 && r5);
  EXPECT_EQ(r3->Background, rig.editor.SelectionColor);  // the selection runs past line 3's end
  EXPECT_EQ(r4->Background, rig.editor.SelectionColor);
  EXPECT_EQ(r5->Background, rig.editor.Color);
  ASSERT_EQ(r3->Runs.size(), 2u);
  EXPECT_EQ(r3->Runs[0].Text, "line ");
  EXPECT_EQ(r3->Runs[1].Text, "three");
  EXPECT_EQ(r3->Runs[1].Attr.BkColor, rig.editor.SelectionColor);
  EXPECT_EQ(r3->Runs[1].Attr.Color, rig.editor.SelectionTextColor);
  EXPECT_TRUE(r3->Runs[1].FillBackground);
  EXPECT_EQ(r3->Runs[1].X, 2 + 5 * 10 + 1);
  ASSERT_EQ(r5->Runs.size(), 2u);
  EXPECT_EQ(r5->Runs[0].Text, "line");
  EXPECT_EQ(r5->Runs[1].Text, " five");

  // A wrapped line inside a selection: its upper row is selected under its characters only.
  rig.editor.ClearSelection();
  rig.editor.ExtendSelection(0, 5);
  rig.editor.ExtendSelection(3, 8);
  rig.editor.Paint({0, 0, 1002, 400});
  EXPECT_EQ(DrawnRow(rig, 6)->Background, rig.editor.Color);
  EXPECT_EQ(DrawnRow(rig, 7)->Background, rig.editor.SelectionColor);

  // A selection starting beyond its row's end shows nothing on that row.
  rig.editor.ClearSelection();
  rig.editor.ExtendSelection(20, 0);
  rig.editor.ExtendSelection(20, 0);
  rig.editor.Paint({0, 0, 1002, 400});
  EXPECT_EQ(DrawnRow(rig, 0)->Runs.size(), 1u);
  EXPECT_EQ(DrawnRow(rig, 0)->Background, rig.editor.Color);
}

TEST(EditorPainting, TheHookColoursEachFlaggedLineOnceWithTheMarker) {
  TEditorRig rig("ab\r\n\r\ncd\r\n");
  std::vector<std::string> seen;
  rig.editor.OnHighlightLine = [&](TAdvancedEditor*, const std::string& text, int, const TSelAttrs&,
                                   TLineAttrs& attrs) {
    seen.push_back(text);
    ASSERT_EQ(attrs.size(), text.size() + 1);
    if (!text.empty() && text[0] == 'a') attrs[1].Style = fsBold;
  };
  rig.editor.Paint({0, 0, 1002, 400});
  EXPECT_EQ(seen, (std::vector<std::string>{std::string("ab") + kEndOfLineMarker, std::string(1, kEndOfLineMarker),
                                            std::string("cd") + kEndOfLineMarker}));
  const TRowImage* r0 = DrawnRow(rig, 0);
  ASSERT_EQ(r0->Runs.size(), 2u);  // "a" plain, "b" bold
  EXPECT_EQ(r0->Runs[1].Attr.Style, fsBold);
  EXPECT_FALSE(r0->Runs[1].FillBackground);
  seen.clear();
  rig.editor.Paint({0, 0, 1002, 400});
  EXPECT_TRUE(seen.empty());  // cached until the line is flagged again
  rig.editor.RehighlightAll();
  rig.editor.Paint({0, 0, 1002, 400});
  EXPECT_EQ(seen.size(), 3u);
}

TEST(EditorPainting, NothingIsDrawnUnderTheUpdateLock) {
  TEditorRig rig("abc");
  rig.Run({cmdBeginUpdate});
  rig.platform.Rows.clear();
  const int invalidations = rig.platform.Invalidations;
  rig.Type("xyz");
  rig.editor.Paint({0, 0, 1002, 400});
  EXPECT_TRUE(rig.platform.Rows.empty());
  EXPECT_EQ(rig.platform.Invalidations, invalidations);
  rig.Run({cmdEndUpdate});
  EXPECT_GT(rig.platform.Invalidations, invalidations);
  rig.editor.Paint({5, 5, 6, 6});  // a full repaint is pending: every row, whatever the clip
  EXPECT_EQ(rig.platform.Rows.size(), 21u);
  EXPECT_FALSE(rig.editor.FullRepaint());
}

TEST(EditorCommands, PostedCommandsRunLaterThroughTheirMessage) {
  TEditorRig rig("abc");
  rig.editor.PostCommand(cmdCut);
  EXPECT_EQ(rig.platform.Posted, std::vector<TEditCommand>{cmdCut});
  rig.editor.HandlePostedCommand(0xABCD0000u | cmdRight);
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 1}));
}
