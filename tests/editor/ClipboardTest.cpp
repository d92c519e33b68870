// Selection text, its deletion, whole-text insertion and the clipboard commands.
#include <gtest/gtest.h>

#include "FakePlatform.h"

using namespace zemblo;
using zemblo::test::TEditorRig;

namespace {

void Select(TEditorRig& rig, int x1, int y1, int x2, int y2) {
  rig.editor.ClearSelection();
  rig.editor.ExtendSelection(x1, y1);
  rig.editor.ExtendSelection(x2, y2);
}

}  // namespace

TEST(EditorClipboard, SelectedTextFollowsRowsAndClampsToThem) {
  TEditorRig rig("abcdef\r\nghijkl\r\n");
  Select(rig, 3, 0, 2, 1);
  EXPECT_EQ(rig.editor.SelectedText(), "def\r\ngh");
  Select(rig, 1, 0, 40, 0);
  EXPECT_EQ(rig.editor.SelectedText(), "bcdef");
  Select(rig, 10, 0, 12, 0);  // both ends beyond the row: nothing
  EXPECT_EQ(rig.editor.SelectedText(), "");
  Select(rig, 0, 0, 0, 5);  // a row that does not exist
  EXPECT_EQ(rig.editor.SelectedText(), "");
  EXPECT_EQ(rig.platform.Beeps, 1);
}

TEST(EditorClipboard, DeletingASelectionJoinsAndUndoRestoresIt) {
  TEditorRig rig("abcdef\r\nghijkl\r\n");
  rig.Caret(2, 1);
  Select(rig, 3, 0, 2, 1);
  rig.Run({cmdDeleteSelection});
  EXPECT_EQ(rig.Text(), "abcijkl");
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 3}));
  EXPECT_FALSE(rig.editor.SelAvail());
  rig.Undo();
  EXPECT_EQ(rig.Text(), "abcdef|ghijkl");
  EXPECT_TRUE(rig.editor.SelAvail());
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{3, 0, 2, 1}));
  EXPECT_EQ(rig.CaretPos(), (TRowCol{1, 2}));
}

TEST(EditorClipboard, CopyCutAndPaste) {
  TEditorRig rig("one two\r\n");
  rig.Caret(3, 0);
  rig.Run({cmdCut});  // nothing selected: nothing happens
  EXPECT_EQ(rig.Text(), "one two");
  EXPECT_EQ(rig.platform.Clipboard, "");

  Select(rig, 0, 0, 3, 0);
  rig.Run({cmdCopy});
  EXPECT_EQ(rig.platform.Clipboard, "one");
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 3}));
  rig.Run({cmdCut});
  EXPECT_EQ(rig.Text(), " two");
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 0}));

  rig.platform.Clipboard = "a\nb\tc\rd";
  rig.Caret(4, 0);
  rig.Run({cmdPaste});
  EXPECT_EQ(rig.Text(), " twoa|b    c|d");
  EXPECT_EQ(rig.CaretPos(), (TRowCol{2, 1}));
  rig.Undo();
  EXPECT_EQ(rig.Text(), " two");
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 4}));
}

TEST(EditorClipboard, PastingNothingOverASelectionDeletesIt) {
  TEditorRig rig("abcdef");
  Select(rig, 1, 0, 4, 0);
  rig.platform.Clipboard.clear();
  rig.Run({cmdPaste});
  EXPECT_EQ(rig.Text(), "aef");
}

TEST(EditorClipboard, InsertTextIsOneUndoStepAndReplacesTheSelection) {
  TEditorRig rig("keep\r\nreplace me\r\n");
  Select(rig, 0, 1, 10, 1);
  rig.editor.InsertText("function onClick()\r\n{\r\n}");
  EXPECT_EQ(rig.Text(), "keep|function onClick()|{|}");
  EXPECT_EQ(rig.CaretPos(), (TRowCol{3, 1}));
  EXPECT_EQ(rig.editor.UpdateCount(), 0);
  rig.Undo();
  EXPECT_EQ(rig.Text(), "keep|");
  rig.Undo();
  EXPECT_EQ(rig.Text(), "keep|replace me");
}

TEST(EditorClipboard, BlockIndentOfAnEmptySelectionAtALineStartDoesNothing) {
  TEditorRig rig("abc\r\ndef");
  rig.Caret(0, 1);
  rig.editor.ExtendSelection(0, 1);  // selected, but empty
  rig.Run({cmdBlockIndent});
  EXPECT_EQ(rig.Text(), "abc|def");
  rig.Caret(0, 0);
  rig.editor.ClearSelection();
  rig.editor.ExtendSelection(0, 0);
  rig.Run({cmdBlockIndent});
  EXPECT_EQ(rig.Text(), "abc|def");
}
