// Caret movement and selection commands: where each goes, what it selects, and what it
// records.
#include <gtest/gtest.h>

#include "FakePlatform.h"

using namespace zemblo;
using zemblo::test::NumberedRows;
using zemblo::test::TEditorRig;

TEST(EditorCaretCommands, MoveWhereTheKeysSay) {
  struct Case {
    const char* what;
    std::string text;
    int x, y;
    std::vector<TEditCommand> commands;
    TRowCol caret;
  };
  const std::string twoRows = "first line\r\nabc(def\r\n";
  const Case cases[] = {
      {"left stops at column 0", "abc", 0, 0, {cmdLeft}, {0, 0}},
      {"right goes into virtual space", "\r\n", 0, 0, {cmdRight}, {0, 1}},
      {"down keeps the column beyond a short row", "0123456789012345678901234567890123\r\nshort", 30, 0, {cmdDown}, {1, 30}},
      {"up on the first row does nothing", "a\r\nb", 1, 0, {cmdUp}, {0, 1}},
      {"down on the last row does nothing", "a\r\nb", 1, 1, {cmdDown}, {1, 1}},
      {"word left to the word start", twoRows, 7, 1, {cmdWordLeft}, {1, 4}},
      {"word left again to column 0", twoRows, 7, 1, {cmdWordLeft, cmdWordLeft}, {1, 0}},
      {"word left from column 0 to the row above's end", twoRows, 7, 1, {cmdWordLeft, cmdWordLeft, cmdWordLeft},
       {0, 10}},
      {"word left beyond a one-word row: its end, then 0", "\r\nabcdef", 9, 1, {cmdWordLeft}, {1, 6}},
      {"... and then column 0", "\r\nabcdef", 9, 1, {cmdWordLeft, cmdWordLeft}, {1, 0}},
      {"word left over delimiters only goes up", "abc\r\n  ((", 4, 1, {cmdWordLeft}, {0, 3}},
      {"word right skips delimiters", "a := b", 0, 0, {cmdWordRight}, {0, 5}},
      {"word right to the row end", "a := b", 0, 0, {cmdWordRight, cmdWordRight}, {0, 6}},
      {"word right from a row end to the next row's first word", "ab\r\n    word", 2, 0, {cmdWordRight}, {1, 4}},
      {"word right from the last row's end does nothing", "ab", 2, 0, {cmdWordRight}, {0, 2}},
      {"home goes to column 0", "    x", 5, 0, {cmdLineStart}, {0, 0}},
      {"end goes to the row end", "abc\r\n", 0, 0, {cmdLineEnd}, {0, 3}},
      {"ctrl+end goes to the last row's end", "a\r\nb\r\ntwelve chars", 0, 0, {cmdEditorBottom}, {2, 12}},
      {"ctrl+home goes to the start", "a\r\nbcd", 2, 1, {cmdEditorTop}, {0, 0}},
      {"page down moves a page", NumberedRows(100), 0, 0, {cmdPageDown}, {20, 0}},
      {"page down stops on the last row", NumberedRows(100), 0, 95, {cmdPageDown}, {99, 0}},
      {"page up stops on row 0", NumberedRows(100), 3, 10, {cmdPageUp}, {0, 3}},
  };
  for (const Case& c : cases) {
    TEditorRig rig(c.text);
    rig.Caret(c.x, c.y);
    for (TEditCommand cmd : c.commands) rig.editor.ExecuteCommand(cmd);
    EXPECT_EQ(rig.CaretPos(), c.caret) << c.what;
    EXPECT_FALSE(rig.editor.SelAvail()) << c.what;
  }
}

TEST(EditorCaretCommands, PageDownScrollsOnlyAsFarAsTheCaretNeeds) {
  TEditorRig rig(NumberedRows(100));
  rig.Run({cmdPageDown});
  EXPECT_EQ(rig.editor.TopRow(), 1);
  EXPECT_EQ(rig.editor.BottomRow(), 20);
}

TEST(EditorCaretCommands, ShiftMovesSelectAndUndoBringsSelectionsBack) {
  TEditorRig rig("0123456789");
  rig.Caret(2, 0);
  rig.Run({cmdSelRight, cmdSelRight, cmdSelRight});
  EXPECT_TRUE(rig.editor.SelAvail());
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{2, 0, 5, 0}));
  EXPECT_EQ(rig.editor.SelectedText(), "234");
  rig.Run({cmdRight});
  EXPECT_FALSE(rig.editor.SelAvail());
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 6}));
  rig.Undo();
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 5}));
  EXPECT_FALSE(rig.editor.SelAvail());
  rig.Undo();
  EXPECT_TRUE(rig.editor.SelAvail());
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{2, 0, 5, 0}));
}

TEST(EditorCaretCommands, SelectionTurnsAroundItsAnchor) {
  TEditorRig rig("abcdef\r\nghijkl\r\nmnopqr");
  rig.Caret(3, 1);
  rig.Run({cmdSelDown, cmdSelUp, cmdSelUp});
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{3, 0, 3, 1}));
  EXPECT_EQ(rig.editor.SelectedText(), "def\r\nghi");
  rig.Run({cmdSelEditorBottom});
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{3, 1, 6, 2}));
  rig.Run({cmdSelLineStart});
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{3, 1, 0, 2}));  // from the anchor on
}

TEST(EditorCaretCommands, UpAndDownAtTheEdgesLeaveTheSelectionAlone) {
  TEditorRig rig("ab\r\ncd");
  rig.Caret(0, 0);
  rig.Run({cmdSelRight});
  const int records = rig.editor.UndoBuffer().Count();
  rig.Run({cmdUp});
  EXPECT_TRUE(rig.editor.SelAvail());
  rig.Caret(1, 1);
  rig.Run({cmdDown});
  EXPECT_TRUE(rig.editor.SelAvail());
  EXPECT_EQ(rig.editor.UndoBuffer().Count(), records);
}

TEST(EditorCaretCommands, ScrollingByARowKeepsTheCaretInView) {
  TEditorRig rig(NumberedRows(100));
  rig.Caret(2, 0);
  rig.Run({cmdScrollDown});
  EXPECT_EQ(rig.editor.TopRow(), 1);
  EXPECT_EQ(rig.CaretPos(), (TRowCol{1, 2}));
  rig.Run({cmdScrollUp, cmdScrollUp});
  EXPECT_EQ(rig.editor.TopRow(), 0);
  rig.Caret(0, 99);  // scrolled to show the last row at the bottom
  EXPECT_EQ(rig.editor.TopRow(), 80);
  rig.Run({cmdScrollDown});  // the bar is at the end of its range
  EXPECT_EQ(rig.editor.TopRow(), 80);
  EXPECT_EQ(rig.CaretPos(), (TRowCol{99, 0}));
}
