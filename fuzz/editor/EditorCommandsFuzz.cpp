// Random sequences of commands, typed characters, SetText, paste, undo, caret moves and
// selections on a small text. After every step the line store's invariants must hold (the
// FirstRow chain, RowTotal, pieces of at most 80 characters, GetText giving back the
// lines), no update lock or undo group may stay open, and no step may raise.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/AdvEdit.h"

using namespace zemblo;

namespace {

class TReader {
 public:
  TReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // A text of up to `max` characters: mostly words and spaces, so lines wrap at spaces,
  // with line breaks, tabs and now and then any byte at all.
  std::string Text(int max) {
    static const char kAlphabet[] = "abcdefgh  ij  klm  nop  ( ) ; $ = \r\n\t\r\n  xyzw ";
    const int n = Byte() % (max + 1);
    std::string s;
    for (int i = 0; i < n && !Empty(); ++i) {
      const uint8_t b = Byte();
      if (b >= 0xF0)
        s.append(static_cast<size_t>(b & 0x0F) * 8, 'q');  // a long word
      else if (b >= 0xE0)
        s += static_cast<char>(Byte());
      else
        s += kAlphabet[b % (sizeof kAlphabet - 1)];
    }
    return s;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

class TFuzzPlatform : public TNullAdvEditPlatform {
 public:
  std::vector<TEditCommand> Posted;
  void PostCommand(TEditCommand cmd) override { Posted.push_back(cmd); }
  bool IsShowing() override { return true; }
};

const TEditCommand kCommands[] = {
    cmdLeft,         cmdRight,           cmdUp,           cmdDown,        cmdSelLeft,         cmdSelRight,
    cmdSelUp,        cmdSelDown,         cmdWordLeft,     cmdWordRight,   cmdSelWordLeft,     cmdSelWordRight,
    cmdPageUp,       cmdPageDown,        cmdSelPageUp,    cmdSelPageDown, cmdLineStart,       cmdLineEnd,
    cmdEditorTop,    cmdEditorBottom,    cmdSelLineStart, cmdSelLineEnd,  cmdSelEditorTop,    cmdSelEditorBottom,
    cmdScrollUp,     cmdScrollDown,      cmdLineBreak,    cmdBackspace,   cmdDelete,          cmdToggleMode,
    cmdTab,          cmdBlockIndent,     cmdDeleteSelection, cmdCopy,     cmdCut,             cmdPaste,
    cmdDeleteLine,   cmdDeleteWord,      cmdUndo,         cmdBeginGroup,  cmdEndGroup,        cmdBeginUpdate,
    cmdEndUpdate,    cmdDeleteWordLeft,  300,
};

void Check(const TAdvancedEditor& ed, int balance) {
  const std::string problem = ed.Lines().CheckInvariants();
  if (!problem.empty()) {
    std::fprintf(stderr, "line store broken: %s\n", problem.c_str());
    std::abort();
  }
  if (ed.UpdateCount() != (balance > 0 ? balance : 0)) {
    std::fprintf(stderr, "update count %d, expected %d\n", ed.UpdateCount(), balance);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  TReader in(data, size);
  TFuzzPlatform platform;
  platform.Width = 2 + 40 * 8;  // 40 columns
  platform.Height = 10 * 16;    // 10 rows
  TAdvancedEditor ed(&platform);
  ed.AttachWindow();
  ed.Resize();
  ed.Lines().SetText(in.Text(255));
  int updateBalance = 0;  // explicit 380/381 pairs still open
  for (int step = 0; step < 400 && !in.Empty(); ++step) {
    const uint8_t op = in.Byte();
    switch (op % 12) {
      case 0:
      case 1:
        ed.ExecuteCommand(in.Byte());
        break;
      case 2:
      case 3: {
        const TEditCommand cmd = kCommands[in.Byte() % (sizeof kCommands / sizeof kCommands[0])];
        if (cmd == cmdBeginUpdate) ++updateBalance;
        if (cmd == cmdEndUpdate && updateBalance > 0) --updateBalance;
        ed.ExecuteCommand(cmd);
        break;
      }
      case 4:
        ed.Lines().SetText(in.Text(255));
        break;
      case 5:
        platform.Clipboard = in.Text(120);
        ed.ExecuteCommand(cmdPaste);
        break;
      case 6:
        ed.ExecuteCommand(cmdUndo);
        break;
      case 7: {
        const int x = in.Byte();
        const int y = in.Byte() % (ed.Lines().RowTotal() + 3);
        if (op & 0x80)
          ed.MoveCaret(x, y);
        else
          ed.SetCaret(x, y);
        break;
      }
      case 8:
        ed.ExtendSelection(in.Byte() % 100, in.Byte() % (ed.Lines().RowTotal() + 2));
        break;
      case 9: {
        std::vector<TEditCommand> posted;
        posted.swap(platform.Posted);
        for (TEditCommand c : posted) ed.HandlePostedCommand(c);
        break;
      }
      case 10: {
        const int x = in.Byte() * 2 - 40;
        const int y = in.Byte() * 2 - 40;
        switch (in.Byte() % 5) {
          case 0: ed.MouseDown(TMouseButton::Left, ssLeft | (op & 0x80 ? ssShift : 0), x, y); break;
          case 1: ed.MouseMove(ssLeft, x, y); break;
          case 2: ed.AutoScrollStep(); break;
          case 3: ed.DoubleClick(); break;
          default: ed.MouseUp(); break;
        }
        break;
      }
      default:
        platform.Width = in.Byte() * 4;
        platform.Height = in.Byte() * 2;
        ed.Resize();
        break;
    }
    Check(ed, updateBalance);
    if (ed.UndoGroupDepth() < 0) std::abort();
  }
  // Undo everything that is left; the store stays sound throughout.
  for (int i = 0; i < 2000 && ed.UndoBuffer().Current(); ++i) {
    ed.ExecuteCommand(cmdUndo);
    Check(ed, updateBalance);
  }
  return 0;
}
