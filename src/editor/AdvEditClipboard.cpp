// Selection text, deletion of the selection, insertion of whole texts, the clipboard and
// block indent. These work on offsets in the whole text; the line store changes only the
// lines an offset edit reaches.
#include <algorithm>

#include "editor/AdvEdit.h"

namespace zemblo {

std::string TAdvancedEditor::SelectedText() {
  if (!selAvail_) return "";
  const int rows = lines_->RowTotal();
  if (selStartY_ < 0 || selStartY_ >= rows || selEndY_ < 0 || selEndY_ >= rows) {
    platform_->Beep();
    return "";
  }
  const int sx = std::min(selStartX_, lines_->RowLength(selStartY_));
  const int ex = std::min(selEndX_, lines_->RowLength(selEndY_));
  if (sx == ex && selStartY_ == selEndY_) return "";
  return lines_->GetTextRange(PosToOffset(sx, selStartY_), PosToOffset(ex, selEndY_));
}

void TAdvancedEditor::DeleteSelection() {
  if (!selAvail_) return;
  const std::string s = SelectedText();
  selAvail_ = false;
  if (s.empty()) return;
  SetCaretVisible(false);
  struct TShow {
    TAdvancedEditor& e;
    ~TShow() { e.SetCaretVisible(true); }
  } show{*this};
  const int a = PosToOffset(selStartX_, selStartY_);
  AddUndo(std::make_unique<TDeleteSelectedUndo>(this, caretX_, caretY_, s, OffsetOfCell(caretX_, caretY_),
                                                Selection(), a));
  lines_->ReplaceRangeKeepState(a, static_cast<int>(s.size()), "");
  const TRowCol pos = OffsetToPos(a);
  SetCaret(pos.Col, pos.Row);
  Change();
  RecalcMetrics(false, true);
  InvalidateView();
}

// The text is brought to the form the store keeps (CR LF breaks, no TAB) before it is
// recorded: the undo record must hold exactly what entered the text, or undoing it would
// remove the wrong number of characters.
void TAdvancedEditor::InsertAtCaret(std::string_view text) {
  if (text.empty()) return;
  const std::string t = ExpandTabs(NormalizeLineBreaks(text));
  SetCaretVisible(false);
  struct TShow {
    TAdvancedEditor& e;
    ~TShow() { e.SetCaretVisible(true); }
  } show{*this};
  TUpdateLock lock(*this, true);
  PrepareEdit();
  // The caret's char index, not PosToOffset: that one clamps to the row, while the
  // record names the char index.
  const TLineChar lc = lines_->RowColToLineChar(caretX_, caretY_);
  const int a = lines_->LineOffset(lc.Line) + lc.Char;
  AddUndo(std::make_unique<TInsertUndo>(this, caretX_, caretY_, t, a));
  lines_->ReplaceRangeKeepState(a, 0, t);
  const TRowCol pos = OffsetToPos(a + static_cast<int>(t.size()));
  SetCaret(pos.Col, pos.Row);
  Change();
}

void TAdvancedEditor::InsertText(std::string_view text) {
  {
    TUpdateLock lock(*this, true);
    const std::string t = ExpandTabs(NormalizeLineBreaks(text));
    if (selAvail_) DeleteSelection();
    InsertAtCaret(t);
  }
  vScrollBar_.SetParam(TScrollParam::Position, topRow_);
}

void TAdvancedEditor::CopyToClipboard() {
  const std::string s = SelectedText();
  if (!s.empty()) platform_->SetClipboardText(s);
}

void TAdvancedEditor::CutToClipboard() {
  if (SelectedText().empty()) return;
  CopyToClipboard();
  DeleteSelection();
}

void TAdvancedEditor::PasteFromClipboard() { InsertText(platform_->ClipboardText()); }

void TAdvancedEditor::CmdBlockIndent() {
  if (!selAvail_) return;
  // A selection whose rows no longer exist counts as empty, as it does for its text.
  const int rows = lines_->RowTotal();
  if (selStartY_ < 0 || selStartY_ >= rows || selEndY_ < 0 || selEndY_ >= rows) {
    platform_->Beep();
    return;
  }
  const int first = lines_->RowColToLineChar(selStartX_, selStartY_).Line;
  const TLineChar end = lines_->RowColToLineChar(selEndX_, selEndY_);
  int last = end.Line;
  if (end.Char == 0) {
    // A selection ending at the start of a line leaves that line out. When that leaves no
    // line at all (an empty selection at a line start), there is nothing to indent.
    --last;
    if (last < first) return;
    const TRowCol rc = lines_->LineCharToRowCol(last, lines_->LineLength(last));
    selEndX_ = rc.Col;
    selEndY_ = rc.Row;
  }
  BeginGroup();
  try {
    AddUndo(std::make_unique<TSelectUndo>(this, caretX_, caretY_, Selection()));
    AddUndo(std::make_unique<TIndentUndo>(this, first, last, BlockIndent));
  } catch (...) {
    EndGroup();
    throw;
  }
  EndGroup();
  recordMove_ = false;
  const int caretLine = caretY_ >= 0 && caretY_ < lines_->RowTotal() ? lines_->RowColToLineChar(caretX_, caretY_).Line : -1;
  const std::string indent(BlockIndent, ' ');
  lines_->BeginUpdate();
  try {
    for (int l = first; l <= last; ++l) lines_->Put(l, indent + lines_->Get(l));
  } catch (...) {
    lines_->EndUpdate();
    throw;
  }
  lines_->EndUpdate();
  selStartX_ += BlockIndent;
  selEndX_ += BlockIndent;
  if (caretLine >= first && caretLine <= last) wx_ += BlockIndent;
  Change();
  selAvail_ = true;
}

}  // namespace zemblo
