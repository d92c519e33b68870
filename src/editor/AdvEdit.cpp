// Construction, the command frame and the dispatch of every command to its body.
#include "editor/AdvEdit.h"

#include <algorithm>

namespace zemblo {

TAdvancedEditor::TAdvancedEditor(IAdvEditPlatform* platform)
    : lines_(std::make_unique<TAdvLines>(this)),
      undo_(std::make_unique<TUndoBuffer>(this)),
      platform_(platform ? platform : &nullPlatform_) {
  hScrollBar_.Kind = TScrollBarKind::Horizontal;
  vScrollBar_.Kind = TScrollBarKind::Vertical;
  auto onScroll = [this](TAdvEditScrollBar& bar, int code, int& position) {
    // Top, bottom, thumb released and end of scrolling move the thumb only.
    if (code == scLineUp || code == scLineDown || code == scPageUp || code == scPageDown || code == scThumbTrack)
      ScrollView(bar.Kind == TScrollBarKind::Vertical, position);
  };
  hScrollBar_.OnScroll = onScroll;
  vScrollBar_.OnScroll = onScroll;
  keyboard_.LoadDefaults();
}

TAdvancedEditor::~TAdvancedEditor() = default;

void TAdvancedEditor::SetPlatform(IAdvEditPlatform* platform) {
  platform_ = platform ? platform : &nullPlatform_;
  if (hScrollBar_.Window) hScrollBar_.Window = platform_;
  if (vScrollBar_.Window) vScrollBar_.Window = platform_;
}

void TAdvancedEditor::ExecuteCommand(TEditCommand cmd) {
  SetCaretVisible(false);
  // Commands run other commands, each in its own frame; the outer frame's working
  // position comes back afterwards.
  struct TFrameGuard {
    TAdvancedEditor& e;
    int wx, wy;
    bool recordMove;
    ~TFrameGuard() {
      e.wx_ = wx;
      e.wy_ = wy;
      e.recordMove_ = recordMove;
      e.SetCaretVisible(true);
    }
  } guard{*this, wx_, wy_, recordMove_};
  wx_ = caretX_;
  wy_ = caretY_;
  recordMove_ = true;
  try {
    RunCommandBody(cmd);
    if (recordMove_)
      MoveCaret(wx_, wy_);
    else
      SetCaret(wx_, wy_);
  } catch (const EComplete&) {
  }
}

void TAdvancedEditor::RunCommandBody(TEditCommand cmd) {
  if (cmd <= 255) {
    CmdCharacter(static_cast<unsigned char>(cmd));
    return;
  }
  switch (cmd) {
    case cmdLeft:
    case cmdRight:
    case cmdSelLeft:
    case cmdSelRight:
      CmdHorizontal(cmd);
      break;
    case cmdUp:
    case cmdDown:
    case cmdSelUp:
    case cmdSelDown:
      CmdVertical(cmd);
      break;
    case cmdWordLeft:
    case cmdSelWordLeft:
      CmdWordLeft(cmd);
      break;
    case cmdWordRight:
    case cmdSelWordRight:
      CmdWordRight(cmd);
      break;
    case cmdPageUp:
    case cmdPageDown:
    case cmdSelPageUp:
    case cmdSelPageDown:
      CmdPage(cmd);
      break;
    case cmdLineStart:
    case cmdLineEnd:
    case cmdEditorTop:
    case cmdEditorBottom:
    case cmdSelLineStart:
    case cmdSelLineEnd:
    case cmdSelEditorTop:
    case cmdSelEditorBottom:
      CmdLineEnds(cmd);
      break;
    case cmdScrollUp:
    case cmdScrollDown:
      CmdScroll(cmd);
      break;
    case cmdLineBreak: CmdLineBreak(); break;
    case cmdBackspace: CmdBackspace(); break;
    case cmdDelete: CmdDelete(); break;
    case cmdToggleMode: insertMode_ = !insertMode_; break;
    case cmdTab: CmdTab(); break;
    case cmdBlockIndent: CmdBlockIndent(); break;
    case cmdDeleteSelection:
      if (selAvail_) DeleteSelection();
      wx_ = caretX_;
      wy_ = caretY_;
      recordMove_ = false;
      break;
    case cmdCopy: CopyToClipboard(); break;
    case cmdCut:
      CutToClipboard();
      wx_ = caretX_;
      wy_ = caretY_;
      recordMove_ = false;
      break;
    case cmdPaste:
      PasteFromClipboard();
      wx_ = caretX_;
      wy_ = caretY_;
      recordMove_ = false;
      break;
    case cmdDeleteLine: CmdDeleteLine(); break;
    case cmdDeleteWord: CmdDeleteWord(); break;
    case cmdDeleteWordLeft: CmdDeleteWordLeft(); break;
    case cmdUndo:
      undo_->Undo();
      throw EComplete();
    case cmdBeginGroup: BeginGroup(); break;
    case cmdEndGroup: EndGroup(); break;
    case cmdBeginUpdate: ++updateCount_; break;
    case cmdEndUpdate: EndUpdateLock(); break;
    default: break;
  }
}

void TAdvancedEditor::RunGrouped(std::initializer_list<TEditCommand> commands) {
  ExecuteCommand(cmdBeginGroup);
  ExecuteCommand(cmdBeginUpdate);
  try {
    for (TEditCommand c : commands) ExecuteCommand(c);
  } catch (...) {
    // Every command leaves the update count and the group depth as it found them.
    ExecuteCommand(cmdEndUpdate);
    ExecuteCommand(cmdEndGroup);
    throw;
  }
  ExecuteCommand(cmdEndUpdate);
  ExecuteCommand(cmdEndGroup);
  throw EComplete();
}

// --- small shared pieces ---

void TAdvancedEditor::RaiseMaxLineLength(int length) {
  if (length > maxLineLength_) maxLineLength_ = length + 1;
}

void TAdvancedEditor::InvalidateView() {
  if (updateCount_ > 0) return;
  platform_->Invalidate();
}

void TAdvancedEditor::EndUpdateLock() {
  if (updateCount_ == 0) return;
  if (--updateCount_ > 0) return;
  fullRepaint_ = true;
  RecalcMetrics(false, true);
  InvalidateView();
}

void TAdvancedEditor::AddUndo(std::unique_ptr<TUndo> record) { undo_->Add(std::move(record)); }

void TAdvancedEditor::BeginGroup() {
  ++undoGroupDepth_;
  AddUndo(std::make_unique<TBeginCompoundUndo>(this));
}

// An end record without an open group would make the next undo run back through the whole
// history looking for its start; such a stray end records nothing.
void TAdvancedEditor::EndGroup() {
  if (undoGroupDepth_ == 0) return;
  AddUndo(std::make_unique<TEndCompoundUndo>(this));
  --undoGroupDepth_;
}

int TAdvancedEditor::OffsetOfCell(int x, int y) const {
  if (y < 0) return 0;
  if (y >= lines_->RowTotal()) return lines_->TextLength();
  const TLineChar lc = lines_->RowColToLineChar(x, y);
  return lines_->LineOffset(lc.Line) + lc.Char;
}

void TAdvancedEditor::RestoreSelection(const TSelectionState& selection, bool avail) {
  selAvail_ = avail;
  selStartX_ = selection.StartX;
  selStartY_ = selection.StartY;
  selEndX_ = selection.EndX;
  selEndY_ = selection.EndY;
}

void TAdvancedEditor::UpdateLineIndexes() {
  const TLineChar lc = lines_->RowColToLineChar(caretX_, caretY_);
  caretCharIndex_ = lc.Char;
  caretLineIndex_ = lc.Line;
}

void TAdvancedEditor::PlaceAtLineChar() {
  const TRowCol rc = lines_->LineCharToRowCol(caretLineIndex_, caretCharIndex_);
  wy_ = rc.Row;
  wx_ = rc.Col;
}

void TAdvancedEditor::PrepareEdit() {
  lines_->PadToCaret();
  RecalcMetrics(true, true);
  vScrollBar_.SetParam(TScrollParam::Position, topRow_);
}

void TAdvancedEditor::PrepareAtCaret() {
  PrepareEdit();
  wx_ = caretX_;
  wy_ = caretY_;
  UpdateLineIndexes();
}

void TAdvancedEditor::ReplaceInLine(int line, int at, int count, std::string_view text) {
  lines_->ReplaceInLine(line, at, count, text);
}

void TAdvancedEditor::DrawRows(int from, int to) {
  from = std::max(from, topRow_);
  to = std::min(to, topRow_ + visibleRows_);
  for (int r = from; r <= to; ++r) DrawRow(r, -1, -1);
}

void TAdvancedEditor::RefreshLine(int line, int oldRowCount) {
  const int first = lines_->FirstRow(line);
  const int rows = lines_->RowCount(line);
  DrawRows(first, first + rows - 1);
  if (rows != oldRowCount) {
    RecalcMetrics(false, true);
    DrawRows(first + rows - 1, topRow_ + visibleRows_);
  }
}

void TAdvancedEditor::RefreshDown(int line) {
  RecalcMetrics(false, true);
  if (line >= 0 && line < lines_->Count()) DrawRows(lines_->FirstRow(line), topRow_ + visibleRows_);
}

}  // namespace zemblo
