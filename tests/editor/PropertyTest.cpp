// From any start text, any sequence of edits followed by enough undo steps gives back the
// start text exactly. The texts have long lines that wrap at spaces, and the caret is put
// beyond the ends of rows, where the row break and the caret's char index part ways.
#include <gtest/gtest.h>

#include <random>

#include "FakePlatform.h"

using namespace zemblo;
using zemblo::test::TEditorRig;

namespace {

class TRandomEdits {
 public:
  explicit TRandomEdits(uint32_t seed) : rng_(seed) {}

  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(rng_() % static_cast<uint32_t>(n)); }

  std::string Word() {
    static const char* const kWords[] = {"echo", "$name", "function", "if", "(", ")", "{", "}", ";", "x",
                                         "return", "->", "array", "'text'", "=", "+", "//", "abcdefghijklmnop"};
    return kWords[Below(std::size(kWords))];
  }

  // A line of words; every third or so is long enough to wrap once or twice.
  std::string Line() {
    std::string s(static_cast<size_t>(Below(3) * 4), ' ');
    const int target = Below(3) == 0 ? 90 + Below(160) : Below(40);
    while (static_cast<int>(s.size()) < target) s += Word() + (Below(6) ? " " : "  ");
    if (Below(8) == 0) s += std::string(static_cast<size_t>(Below(90)), 'w');  // a long word
    return s;
  }

  std::string Text() {
    std::string s;
    const int lines = Below(8);
    for (int i = 0; i < lines; ++i) s += (Below(6) ? Line() : "") + "\r\n";
    return s;
  }

  std::string Clip() {
    static const char* const kSeparators[] = {" ", "\n", "\r\n", "\r", "\t", ""};
    std::string s;
    const int n = Below(8);
    for (int i = 0; i < n; ++i) s += (Below(4) ? Word() : Line()) + kSeparators[Below(std::size(kSeparators))];
    return s;
  }

  void Step(TEditorRig& rig) {
    TAdvancedEditor& ed = rig.editor;
    static const TEditCommand kCommands[] = {
        cmdLeft,        cmdRight,          cmdUp,           cmdDown,        cmdSelLeft,         cmdSelRight,
        cmdSelUp,       cmdSelDown,        cmdWordLeft,     cmdWordRight,   cmdSelWordLeft,     cmdSelWordRight,
        cmdPageUp,      cmdPageDown,       cmdSelPageUp,    cmdSelPageDown, cmdLineStart,       cmdLineEnd,
        cmdEditorTop,   cmdEditorBottom,   cmdSelLineStart, cmdSelLineEnd,  cmdSelEditorTop,    cmdSelEditorBottom,
        cmdScrollUp,    cmdScrollDown,     cmdLineBreak,    cmdBackspace,   cmdDelete,          cmdToggleMode,
        cmdTab,         cmdDeleteSelection, cmdCopy,        cmdCut,         cmdPaste,           cmdDeleteLine,
        cmdDeleteWord,  cmdDeleteWordLeft, cmdUndo,         cmdBlockIndent,
    };
    switch (Below(10)) {
      case 0:
      case 1: {  // a caret anywhere, often beyond the end of its row or below the text
        const int y = Below(ed.Lines().RowTotal() + 3);
        const int x = Below(3) ? ed.Lines().RowLength(y) + Below(60) : Below(130);
        if (Below(2))
          ed.MoveCaret(x, y);
        else
          ed.SetCaret(x, y);
        break;
      }
      case 2:
      case 3: {  // typing
        const int n = 1 + Below(4);
        for (int i = 0; i < n; ++i) ed.ExecuteCommand(static_cast<TEditCommand>(Below(5) ? 'a' + Below(26) : ' '));
        break;
      }
      case 4:
        rig.platform.Clipboard = Clip();
        ed.ExecuteCommand(cmdPaste);
        break;
      case 5:
        ed.ExtendSelection(Below(100), Below(ed.Lines().RowTotal() + 1));
        break;
      default:
        ed.ExecuteCommand(kCommands[Below(std::size(kCommands))]);
        break;
    }
    rig.RunPosted();
  }

 private:
  std::mt19937 rng_;
};

// The editor adds a first empty line to an empty store without recording it.
std::string Normalized(const std::string& text) { return text.empty() ? "\r\n" : text; }

}  // namespace

TEST(EditorUndoProperty, EnoughUndoStepsGiveBackTheStartText) {
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    TRandomEdits random(seed);
    TEditorRig rig(random.Text());
    const std::string start = rig.Lines().GetText();
    const int steps = 10 + random.Below(50);
    for (int i = 0; i < steps; ++i) {
      random.Step(rig);
      ASSERT_EQ(rig.Lines().CheckInvariants(), "") << "seed " << seed << " step " << i;
      ASSERT_EQ(rig.editor.UpdateCount(), 0) << "seed " << seed << " step " << i;
      ASSERT_EQ(rig.editor.UndoGroupDepth(), 0) << "seed " << seed << " step " << i;
    }
    for (int i = 0; i < 10000 && rig.editor.UndoBuffer().Current(); ++i) rig.Undo();
    ASSERT_EQ(Normalized(rig.Lines().GetText()), Normalized(start)) << "seed " << seed;
  }
}
