// Undo: what one step reverts (runs of one kind, groups, re-line records met on the way),
// where it leaves the caret, and how new records discard undone ones.
#include <gtest/gtest.h>

#include <functional>

#include "FakePlatform.h"

using namespace zemblo;
using zemblo::test::TEditorRig;

namespace {

struct TStep {
  const char* what;
  std::string text;  // start text (SetText)
  int x, y;          // caret before the actions
  std::function<void(TEditorRig&)> act;
  std::string after;      // lines joined by '|'
  std::string afterUndo;  // after one undo step
  TRowCol caret;          // caret after that undo
};

}  // namespace

TEST(EditorUndo, OneStepRevertsARunOrAGroup) {
  const TStep steps[] = {
      {"three typed characters", "\r\n", 0, 0, [](TEditorRig& r) { r.Type("abc"); }, "abc", "", {0, 0}},
      {"three backspaces come back in reading order", "abcd", 4, 0,
       [](TEditorRig& r) { r.Run({cmdBackspace, cmdBackspace, cmdBackspace}); }, "a", "abcd", {0, 4}},
      {"two deletes come back with the caret before them", "abcd", 0, 0,
       [](TEditorRig& r) { r.Run({cmdDelete, cmdDelete}); }, "cd", "abcd", {0, 0}},
      {"typing beyond the row end: spaces and letter at once", "ab", 5, 0, [](TEditorRig& r) { r.Type("x"); },
       "ab   x", "ab", {0, 2}},
      {"delete line is one group", "one|two|three", 1, 1, [](TEditorRig& r) { r.Run({cmdDeleteLine}); }, "one|three",
       "one|two|three", {1, 1}},
      {"a caret move ends a typed run", "\r\n", 0, 0,
       [](TEditorRig& r) {
         r.Type("ab");
         r.Run({cmdLeft});
         r.Type("c");
       },
       "acb", "ab", {0, 1}},
      {"overwritten characters come back", "abcd", 1, 0,
       [](TEditorRig& r) {
         r.Run({cmdToggleMode});
         r.Type("XYZW");
       },
       "aXYZW", "abcd", {0, 1}},
      {"enter and the typing after it are two steps", "    ab", 6, 0,
       [](TEditorRig& r) {
         r.Run({cmdLineBreak});
         r.Type("x");
       },
       "    ab|    x", "    ab|", {1, 0}},
      {"a joined line splits again", "ab|cd", 0, 1, [](TEditorRig& r) { r.Run({cmdBackspace}); }, "abcd", "ab|cd",
       {1, 0}},
  };
  for (const TStep& s : steps) {
    std::string text = s.text;
    for (char& c : text)
      if (c == '|') c = '\n';
    TEditorRig rig(text);
    rig.Caret(s.x, s.y);
    s.act(rig);
    EXPECT_EQ(rig.Text(), s.after) << s.what;
    rig.Undo();
    EXPECT_EQ(rig.Text(), s.afterUndo) << s.what;
    EXPECT_EQ(rig.CaretPos(), s.caret) << s.what;
    EXPECT_EQ(rig.editor.UpdateCount(), 0) << s.what;
    EXPECT_EQ(rig.editor.UndoGroupDepth(), 0) << s.what;
  }
}

TEST(EditorUndo, CaretMovesAreUndoneBeforeTheTextBeforeThem) {
  TEditorRig rig("abcdefgh\r\n");
  rig.Type("X");  // caret now at 1
  rig.Run({cmdRight, cmdRight, cmdRight, cmdRight, cmdRight});
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 6}));
  rig.Undo();
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 1}));
  EXPECT_EQ(rig.Text(), "Xabcdefgh");
  rig.Undo();
  EXPECT_EQ(rig.Text(), "abcdefgh");
}

TEST(EditorUndo, NothingToUndoAfterTheWholeTextIsReplaced) {
  TEditorRig rig("abc");
  rig.Type("xyz");
  rig.Lines().SetText("fresh");
  rig.Undo();
  EXPECT_EQ(rig.Text(), "fresh");
  EXPECT_EQ(rig.editor.UndoBuffer().Current(), nullptr);
}

TEST(EditorUndo, ANewEditDiscardsTheUndoneRecords) {
  TEditorRig rig("\r\n");
  rig.Type("ab");
  rig.Run({cmdLeft});
  rig.Type("c");  // "acb"
  rig.Undo();     // "ab"
  rig.Type("Q");  // a new edit: the typed "c" is gone for good
  EXPECT_EQ(rig.Text(), "aQb");
  rig.Undo();
  EXPECT_EQ(rig.Text(), "ab");
  rig.Undo();  // the caret move
  EXPECT_EQ(rig.Text(), "ab");
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 2}));
  rig.Undo();
  EXPECT_EQ(rig.Text(), "");
  rig.Undo();  // nothing left
  EXPECT_EQ(rig.Text(), "");
}

TEST(EditorUndo, RecordsHoldTheOffsetOfTheUnchangedText) {
  TEditorRig rig("first\r\nsecond");
  rig.Caret(3, 1);
  rig.Type("x");
  auto* r = dynamic_cast<TInsertUndo*>(rig.editor.UndoBuffer().Current());
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Kind(), TUndoKind::Insert);
  EXPECT_EQ(r->Offset, 7 + 3);
  EXPECT_EQ(r->X, 3);
  EXPECT_EQ(r->Y, 1);
  // Records made while an undo runs are dropped.
  TUndoBuffer& buffer = rig.editor.UndoBuffer();
  const int count = buffer.Count();
  buffer.Undoing = true;
  buffer.Add(std::make_unique<TCaretUndo>(&rig.editor, 0, 0));
  buffer.Undoing = false;
  EXPECT_EQ(buffer.Count(), count);
}
