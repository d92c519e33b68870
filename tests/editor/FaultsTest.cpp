// Long lines that wrap at spaces, and carets beyond the ends of rows: undo must give back
// exactly the text it started from, and an ordinary key must not raise an error.
#include <gtest/gtest.h>

#include <functional>

#include "FakePlatform.h"

using namespace zemblo;
using zemblo::test::TEditorRig;

namespace {

// Two long lines of words that wrap at spaces.
const std::string kWrapped =
    "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi omicron pi rho sigma tau "
    "upsilon phi chi psi omega\r\n"
    "one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen sixteen "
    "seventeen eighteen\r\n";

}  // namespace

// Deleting the first character of a wrapped row can move the row break by one; undo puts
// the character back where it was taken, not where the record's (X, Y) now points.
TEST(EditorFaults, UndoOfDeleteAndBackspaceOnAWrappedRowRestoresTheText) {
  struct Case {
    const char* what;
    int x, y;
    TEditCommand cmd;
  };
  const Case cases[] = {
      {"delete the first character of the second row", 0, 1, cmdDelete},
      {"backspace at column 1 of the second row", 1, 1, cmdBackspace},
      {"backspace at column 0 of the second row", 0, 1, cmdBackspace},
      {"delete at the end of the first row", 80, 0, cmdDelete},
  };
  for (const Case& c : cases) {
    TEditorRig rig(kWrapped);
    const std::string before = rig.Lines().GetText();
    rig.Caret(c.x, c.y);
    rig.editor.ExecuteCommand(c.cmd);
    EXPECT_NE(rig.Lines().GetText(), before) << c.what;
    rig.Undo();
    EXPECT_EQ(rig.Lines().GetText(), before) << c.what;
  }
}

TEST(EditorFaults, DeletingARowsFirstCharacterMovesTheBreakAndStillUndoes) {
  // Row 0 breaks after the space at position 60; the next space lies just outside the
  // first 80 characters. Deleting row 1's first letter pulls that space inside, so row 0
  // grows to 80 characters and (0, 1) now names another place than the deleted one.
  const std::string line = std::string(59, 'a') + " " + std::string(20, 'b') + " " + std::string(10, 'c');
  TEditorRig rig(line);
  ASSERT_EQ(rig.Lines().RowLength(0), 60);
  rig.Caret(0, 1);
  rig.Run({cmdDelete});
  ASSERT_EQ(rig.Lines().RowLength(0), 80);
  rig.Undo();
  EXPECT_EQ(rig.Lines().Get(0), line);
  EXPECT_EQ(rig.CaretPos(), (TRowCol{0, 60}));  // before the restored letter
}

// A caret beyond the end of a wrapped row, or beyond column 80 on the last row, cannot be
// reached by filling the row: the filled row wraps again. The edit happens at the caret's
// char index in its logical line, which is where its undo record points.
TEST(EditorFaults, EditsWithTheCaretBeyondAWrappedRowUndoExactly) {
  struct Case {
    const char* what;
    int x, y;
    std::function<void(TEditorRig&)> act;
  };
  const Case cases[] = {
      {"type on a wrapped row", 90, 0, [](TEditorRig& r) { r.Type("x"); }},
      {"type past column 80 of the last row", 120, 3, [](TEditorRig& r) { r.Type("xy"); }},
      {"tab on a wrapped row", 85, 1, [](TEditorRig& r) { r.Run({cmdTab}); }},
      {"backspace on a wrapped row", 90, 0, [](TEditorRig& r) { r.Run({cmdBackspace}); }},
      {"backspace past column 80", 100, 3, [](TEditorRig& r) { r.Run({cmdBackspace, cmdBackspace}); }},
      {"paste on a wrapped row", 95, 2,
       [](TEditorRig& r) {
         r.platform.Clipboard = "PASTED\r\ntext";
         r.Run({cmdPaste});
       }},
      {"enter on a wrapped row", 99, 0, [](TEditorRig& r) { r.Run({cmdLineBreak}); }},
      {"overwrite on a wrapped row", 88, 1, [](TEditorRig& r) { r.Run({cmdToggleMode, 'Z', 'Y'}); }},
  };
  for (const Case& c : cases) {
    TEditorRig rig(kWrapped);
    const std::string before = rig.Lines().GetText();
    rig.Caret(c.x, c.y);
    c.act(rig);
    EXPECT_EQ(rig.Lines().CheckInvariants(), "") << c.what;
    for (int i = 0; i < 10 && rig.editor.UndoBuffer().Current(); ++i) rig.Undo();
    EXPECT_EQ(rig.Lines().GetText(), before) << c.what;
  }
}

TEST(EditorFaults, TypedCharactersLandTogetherAtTheCaretsCharIndex) {
  TEditorRig rig(std::string(10, 'a'));
  rig.Caret(100, 0);  // the row is filled to 100 characters, which wrap at 80
  rig.Type("xy");
  EXPECT_EQ(rig.Lines().Get(0), std::string(10, 'a') + std::string(90, ' ') + "xy");
  rig.Undo();
  EXPECT_EQ(rig.Lines().Get(0), std::string(10, 'a'));
}

// Delete far beyond the end of the last line: filling its row wraps the line, and there is
// no next line to join. Nothing is deleted, nothing is raised, no group stays open.
TEST(EditorFaults, DeleteBeyondTheEndOfTheLastLineDoesNothingMore) {
  TEditorRig rig("short\r\n");
  rig.Caret(120, 0);
  EXPECT_NO_THROW(rig.Run({cmdDelete}));
  EXPECT_EQ(rig.editor.UndoGroupDepth(), 0);
  EXPECT_EQ(rig.Lines().Count(), 1);
  EXPECT_EQ(rig.Lines().Get(0), "short" + std::string(115, ' '));  // the filling stays, as for any key
  rig.Undo();
  EXPECT_EQ(rig.Text(), "short");
}

// A run of records of one kind is reverted as one change at one place. When the caret was
// placed without a record between two typed words (SetCaret is public), the two inserts
// do not touch: each is reverted where it happened, still in the same undo step.
TEST(EditorFaults, RunsThatDoNotTouchAreRevertedEachAtItsPlace) {
  TEditorRig rig("first line\r\nsecond line\r\n");
  rig.Caret(5, 0);
  rig.Type("AB");
  rig.editor.SetCaret(0, 1);
  rig.Type("CD");
  rig.Run({cmdToggleMode});
  rig.editor.SetCaret(2, 0);
  rig.Type("x");
  rig.editor.SetCaret(6, 1);
  rig.Type("y");
  EXPECT_EQ(rig.Text(), "fixstAB line|CDsecoyd line");
  rig.Undo();  // the two overwrites
  EXPECT_EQ(rig.Text(), "firstAB line|CDsecond line");
  rig.Undo();  // both typed words
  EXPECT_EQ(rig.Text(), "first line|second line");
}

// Filling a wrapped row cannot bring a caret far beyond it into existence; the caret then
// moves to its char index, so a second key does not fill the row again.
TEST(EditorFaults, AKeyFillsUpToAnUnreachableCaretOnlyOnce) {
  TEditorRig rig(std::string(300, ' ') + "x\r\n");
  rig.Caret(200, 0);  // row 0 of a line of four rows
  rig.Type("\x01");
  const int length = rig.Lines().LineLength(0);
  EXPECT_EQ(length, 301 + 120);  // 120 blanks where row 0 ended
  EXPECT_LE(rig.editor.CaretX(), rig.Lines().RowLength(rig.editor.CaretY()));
  rig.Type("\x01");
  EXPECT_EQ(rig.Lines().LineLength(0), length);
  rig.Undo();
  EXPECT_EQ(rig.Text(), std::string(300, ' ') + "x");
}
