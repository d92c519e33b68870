// Typing and the text-changing commands: insert and overwrite, Enter with auto-indent,
// Backspace with unindent, Delete, smart Tab, and the line and word deletions.
#include <gtest/gtest.h>

#include "FakePlatform.h"

using namespace zemblo;
using zemblo::test::TEditorRig;

namespace {

// The lines of a text separated by '|', as TEditorRig::Text() shows them: "a|" is "a" and
// an empty line, "" no line at all.
std::string Text(const std::string& s) {
  if (s.empty()) return s;
  std::string out;
  for (char c : s) out += c == '|' ? std::string("\r\n") : std::string(1, c);
  return out + "\r\n";
}

struct TEdit {
  const char* what;
  std::string text;
  int x, y;
  std::vector<TEditCommand> commands;  // characters are commands 0 to 255
  std::string after;
  TRowCol caret;
};

void RunTable(const std::vector<TEdit>& edits) {
  for (const TEdit& e : edits) {
    TEditorRig rig(Text(e.text));
    rig.Caret(e.x, e.y);
    for (TEditCommand c : e.commands) rig.editor.ExecuteCommand(c);
    EXPECT_EQ(rig.Text(), e.after) << e.what;
    EXPECT_EQ(rig.CaretPos(), e.caret) << e.what;
    EXPECT_EQ(rig.editor.UpdateCount(), 0) << e.what;
    EXPECT_EQ(rig.editor.UndoGroupDepth(), 0) << e.what;
    EXPECT_EQ(rig.Lines().CheckInvariants(), "") << e.what;
  }
}

const std::string kCall = "    abc(def, ghi);";  // 18 characters

}  // namespace

TEST(EditorTyping, CharactersInsertOrOverwrite) {
  RunTable({
      {"a letter beyond the end fills with spaces", "|", 6, 0, {'x'}, "      x|", {0, 7}},
      {"insert in the middle", "abcd", 2, 0, {'X'}, "abXcd", {0, 3}},
      {"overwrite the last character", "abcd", 3, 0, {cmdToggleMode, 'X'}, "abcX", {0, 4}},
      {"overwrite at the end appends", "abcd", 4, 0, {cmdToggleMode, 'X'}, "abcdX", {0, 5}},
      {"a control character inserts nothing", "ab", 0, 0, {1, 27}, "ab", {0, 0}},
      {"... but still fills up to the caret", "ab", 4, 0, {9}, "ab  ", {0, 4}},
      {"an unknown command changes nothing", "ab", 1, 0, {300, 256}, "ab", {0, 1}},
      {"typing at the wrap column continues on the next row", std::string(80, 'a'), 80, 0, {'b'},
       std::string(80, 'a') + "b", {1, 1}},
      {"typing replaces the selection", "abcdef", 1, 0, {cmdSelRight, cmdSelRight, 'X'}, "aXdef", {0, 2}},
  });
}

TEST(EditorTyping, EnterSplitsWithAutoIndent) {
  RunTable({
      {"the second part is indented like the line", "    abcdef", 7, 0, {cmdLineBreak}, "    abc|    def", {1, 4}},
      {"a second part with more indentation keeps it", "    abc      def", 7, 0, {cmdLineBreak},
       "    abc|      def", {1, 4}},
      {"at the end of an indented line the caret waits in virtual space", "        x", 9, 0, {cmdLineBreak},
       "        x|", {1, 8}},
      {"a second Enter fills the waiting line first", "        x", 9, 0, {cmdLineBreak, cmdLineBreak},
       "        x|        |", {2, 8}},
      {"at column 0 of the first line", "abc|def", 0, 0, {cmdLineBreak}, "|abc|def", {1, 0}},
      {"indent comes from the nearest non-empty line above", "  a||", 0, 2, {cmdLineBreak}, "  a|||", {3, 2}},
  });
}

TEST(EditorTyping, BackspaceDeletesAndUnindents) {
  RunTable({
      {"back to the indentation of the row above", "x|    y|        ", 8, 2, {cmdBackspace}, "x|    y|    ",
       {2, 4}},
      {"and again to the one above that", "x|    y|        ", 8, 2, {cmdBackspace, cmdBackspace}, "x|    y|", {2, 0}},
      {"a space at the caret makes it an ordinary backspace", "x|    y|        z", 5, 2, {cmdBackspace},
       "x|    y|       z", {2, 4}},
      {"after text it is an ordinary backspace", "abc", 2, 0, {cmdBackspace}, "ac", {0, 1}},
      {"at the start of a line it joins", "ab|cd", 0, 1, {cmdBackspace}, "abcd", {0, 2}},
      {"at the start of the text nothing", "ab", 0, 0, {cmdBackspace}, "ab", {0, 0}},
      {"at column 0 of a wrapped row it deletes the character before", std::string(85, 'a'), 0, 1, {cmdBackspace},
       std::string(84, 'a'), {0, 79}},
      {"with a selection it deletes the selection", "abcdef", 1, 0, {cmdSelRight, cmdSelRight, cmdBackspace},
       "adef", {0, 1}},
  });
}

TEST(EditorTyping, DeleteRemovesAtTheCaretOrJoins) {
  RunTable({
      {"a character", "abc", 1, 0, {cmdDelete}, "ac", {0, 1}},
      {"at a line end it joins the next line", "ab|cd", 2, 0, {cmdDelete}, "abcd", {0, 2}},
      {"beyond a line end it fills, then joins", "ab|cd", 4, 0, {cmdDelete}, "ab  cd", {0, 4}},
      {"at the end of the last line nothing", "ab|cd", 2, 1, {cmdDelete}, "ab|cd", {1, 2}},
      {"at a wrapped row's end it deletes the next row's first character", std::string(80, 'a') + "bc", 80, 0,
       {cmdDelete}, std::string(80, 'a') + "c", {0, 80}},
      {"an empty store gets its first line", "", 0, 0, {cmdDelete}, "", {0, 0}},
  });
}

TEST(EditorTyping, TabGoesToTheNextWordStartAbove) {
  RunTable({
      {"first stop: the word after the indentation", kCall + "|", 0, 1, {cmdTab}, kCall + "|    ", {1, 4}},
      {"then after the space", kCall + "|", 0, 1, {cmdTab, cmdTab}, kCall + "|             ", {1, 13}},
      {"then after the end of the row above", kCall + "|", 0, 1, {cmdTab, cmdTab, cmdTab},
       kCall + "|" + std::string(18, ' '), {1, 18}},
      {"then the next multiple of four", kCall + "|", 0, 1, {cmdTab, cmdTab, cmdTab, cmdTab},
       kCall + "|" + std::string(20, ' '), {1, 20}},
      {"without rows above: tab stops", "ab", 2, 0, {cmdTab}, "ab  ", {0, 4}},
      {"tab inserts before the text after the caret", "abc", 0, 0, {cmdTab}, "    abc", {0, 4}},
      {"in overwrite mode it only moves the caret", kCall + "|x", 0, 1, {cmdToggleMode, cmdTab}, kCall + "|x",
       {1, 4}},
  });
}

TEST(EditorTyping, LineAndWordDeletions) {
  RunTable({
      {"delete line removes the middle line", "one|two|three", 1, 1, {cmdDeleteLine}, "one|three", {1, 0}},
      {"on the last line an empty line stays", "one|two", 2, 1, {cmdDeleteLine}, "one|", {1, 0}},
      {"on a row that is not the last of its line only that row goes", std::string(80, 'a') + "bb|z", 3, 0,
       {cmdDeleteLine}, "bb|z", {0, 0}},
      {"delete word to the next word start", "alpha beta", 0, 0, {cmdDeleteWord}, "beta", {0, 0}},
      {"delete word at a row end deletes nothing", "alpha|beta", 5, 0, {cmdDeleteWord}, "alpha|beta", {1, 0}},
      {"delete word on an empty row joins", "|beta", 0, 0, {cmdDeleteWord}, "beta", {0, 0}},
      {"delete word left", "alpha beta", 10, 0, {cmdDeleteWordLeft}, "alpha ", {0, 6}},
      {"delete word left on an empty row is a backspace", "alpha|", 0, 1, {cmdDeleteWordLeft}, "alpha", {0, 5}},
  });
}

TEST(EditorTyping, EachDeletionIsOneUndoStep) {
  for (TEditCommand cmd : {cmdDeleteLine, cmdDeleteWord, cmdDeleteWordLeft}) {
    TEditorRig rig(Text("one|two words|three"));
    rig.Caret(4, 1);
    rig.editor.ExecuteCommand(cmd);
    EXPECT_NE(rig.Text(), "one|two words|three") << cmd;
    rig.Undo();
    EXPECT_EQ(rig.Text(), "one|two words|three") << cmd;
  }
}

TEST(EditorTyping, TabWithASelectionIndentsTheSelectedLinesAfterTheKey) {
  TEditorRig rig(Text("a|b||c|d"));
  rig.Caret(0, 0);
  rig.Run({cmdSelDown, cmdSelDown, cmdSelDown});  // column 0 of row 0 to column 0 of row 3
  rig.Run({cmdTab});
  EXPECT_EQ(rig.Text(), "a|b||c|d");  // nothing yet: the block indent is posted
  ASSERT_EQ(rig.platform.Posted, std::vector<TEditCommand>{cmdBlockIndent});
  rig.RunPosted();
  EXPECT_EQ(rig.Text(), "    a|    b|    |c|d");  // three lines, the empty one too
  EXPECT_TRUE(rig.editor.SelAvail());
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{4, 0, 4, 2}));
  EXPECT_EQ(rig.editor.SelectedText(), "a\r\n    b\r\n    ");  // the end moved to the empty line's end
  rig.Undo();
  EXPECT_EQ(rig.Text(), "a|b||c|d");
  EXPECT_TRUE(rig.editor.SelAvail());
  EXPECT_EQ(rig.editor.Selection(), (TSelectionState{0, 0, 0, 2}));
}

TEST(EditorTyping, EnterBeforeTextIndentedWiderThanARowKeepsTheIndentation) {
  const std::string indent(100, ' ');
  TEditorRig rig(indent + "x");
  rig.Caret(20, 1);  // before the x: the blanks fill row 0 and 20 columns of row 1
  rig.Run({cmdLineBreak});
  rig.Type("y");
  rig.Run({cmdLineBreak});
  rig.Type("z");
  EXPECT_EQ(rig.Text(), indent + "|" + indent + "y|" + indent + "zx");
}

TEST(EditorTyping, EnterInsideBlanksWiderThanARowDoesNotGrowThem) {
  TEditorRig rig(std::string(300, ' ') + "\r\n");
  rig.Caret(40, 1);  // char 120 of the line of blanks
  rig.Run({cmdLineBreak});
  rig.Type("x");
  // The first line keeps 120 blanks, the new one the other 180 (three rows), and the
  // letter goes after an indentation of 300: nothing more is added.
  EXPECT_EQ(rig.Lines().Get(0), std::string(120, ' '));
  EXPECT_EQ(rig.Lines().Get(1), std::string(300, ' ') + "x");
}
