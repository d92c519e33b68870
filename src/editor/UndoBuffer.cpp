#include "editor/UndoBuffer.h"

#include <algorithm>

#include "editor/AdvEdit.h"

namespace zemblo {

int TUndo::SpanRun(TUndoBuffer& buffer) const {
  while (buffer.Index > 0 && buffer.Item(buffer.Index)->Extends(*buffer.Item(buffer.Index - 1))) --buffer.Index;
  return buffer.Index;
}

void TCaretUndo::Undo(TUndoBuffer& buffer) {
  const int first = SpanRun(buffer);
  auto* earliest = static_cast<TCaretUndo*>(buffer.Item(first));
  Editor->SetCaret(earliest->X, earliest->Y);
}

void TInsertUndo::Undo(TUndoBuffer& buffer) {
  const int last = buffer.Index;
  const int first = SpanRun(buffer);
  size_t length = 0;
  for (int i = first; i <= last; ++i) length += static_cast<TInsertUndo*>(buffer.Item(i))->Text.size();
  auto* earliest = static_cast<TInsertUndo*>(buffer.Item(first));
  Editor->Lines().ReplaceRangeKeepState(earliest->Offset, static_cast<int>(length), "");
  Editor->SetCaret(earliest->X, earliest->Y);
}

// Forward deletions of a run all happened at one offset. The place is the offset taken
// when the newest record was made: deleting a row's first character can move the row
// break, after which the record's (X, Y) names another offset.
void TDeleteUndo::Undo(TUndoBuffer& buffer) {
  const int last = buffer.Index;
  const int first = SpanRun(buffer);
  std::string joined;
  for (int i = first; i <= last; ++i) joined += static_cast<TDeleteUndo*>(buffer.Item(i))->Text;
  const int offset = static_cast<TDeleteUndo*>(buffer.Item(last))->Offset;
  Editor->Lines().ReplaceRangeKeepState(offset, 0, joined);
  const TRowCol pos = Editor->OffsetToPos(offset);
  Editor->SetCaret(pos.Col, pos.Row);
}

void TBackspaceUndo::Undo(TUndoBuffer& buffer) {
  const int last = buffer.Index;
  const int first = SpanRun(buffer);
  std::string joined;
  for (int i = last; i >= first; --i) joined += static_cast<TBackspaceUndo*>(buffer.Item(i))->Text;
  const int offset = static_cast<TBackspaceUndo*>(buffer.Item(last))->Offset;
  Editor->Lines().ReplaceRangeKeepState(offset, 0, joined);
  const TRowCol pos = Editor->OffsetToPos(offset + static_cast<int>(joined.size()));
  Editor->SetCaret(pos.Col, pos.Row);
}

void TDeleteSelectedUndo::Undo(TUndoBuffer& buffer) {
  const int last = buffer.Index;
  const int first = SpanRun(buffer);
  std::string joined;
  for (int i = first; i <= last; ++i) joined += static_cast<TDeleteSelectedUndo*>(buffer.Item(i))->Text;
  auto* newest = static_cast<TDeleteSelectedUndo*>(buffer.Item(last));
  auto* earliest = static_cast<TDeleteSelectedUndo*>(buffer.Item(first));
  Editor->Lines().ReplaceRangeKeepState(newest->SelOffset, 0, joined);
  Editor->RestoreSelection(newest->Selection, !earliest->Text.empty());
  Editor->SetCaret(earliest->X, earliest->Y);
}

void TOverwriteUndo::Undo(TUndoBuffer& buffer) {
  const int last = buffer.Index;
  const int first = SpanRun(buffer);
  std::string oldText;
  size_t newLength = 0;
  for (int i = first; i <= last; ++i) {
    auto* r = static_cast<TOverwriteUndo*>(buffer.Item(i));
    oldText += r->OldText;
    newLength += r->NewText.size();
  }
  auto* earliest = static_cast<TOverwriteUndo*>(buffer.Item(first));
  Editor->Lines().ReplaceRangeKeepState(earliest->Offset, static_cast<int>(newLength), oldText);
  Editor->SetCaret(earliest->X, earliest->Y);
}

void TSelectUndo::Undo(TUndoBuffer&) {
  Editor->RestoreSelection(Selection, Selection.StartX != Selection.EndX || Selection.StartY != Selection.EndY);
  Editor->SetCaret(X, Y);
}

void TIndentUndo::Undo(TUndoBuffer&) {
  TAdvLines& lines = Editor->Lines();
  lines.BeginUpdate();
  try {
    for (int l = FirstLine; l <= LastLine && l < lines.Count(); ++l) {
      if (l < 0) continue;
      const std::string_view text = lines.LineView(l);
      lines.Put(l, std::string(text.substr(std::min<size_t>(Amount, text.size()))));
    }
  } catch (...) {
    lines.EndUpdate();
    throw;
  }
  lines.EndUpdate();
}

TUndo* TUndoBuffer::Current() const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return records_[Index].get();
}

void TUndoBuffer::Add(std::unique_ptr<TUndo> record) {
  if (Undoing) return;
  records_.resize(static_cast<size_t>(Index + 1));
  records_.push_back(std::move(record));
  Index = Count() - 1;
}

void TUndoBuffer::Undo() {
  struct TUndoingFlag {
    bool& flag;
    explicit TUndoingFlag(bool& f) : flag(f) { flag = true; }
    ~TUndoingFlag() { flag = false; }
  } undoing(Undoing);
  if (!Current()) return;
  TUndoKind kind = Current()->Kind();
  int depth = 0;
  while (TUndo* r = Current()) {
    const TUndoKind k = r->Kind();
    if (k != kind && k != TUndoKind::ReLine && depth <= 0) break;
    if (k == TUndoKind::BeginCompound) {
      --depth;
      kind = TUndoKind::None;
    } else if (k == TUndoKind::EndCompound) {
      ++depth;
    }
    r->Undo(*this);
    --Index;
    if (kind == TUndoKind::ReLine) kind = Current() ? Current()->Kind() : TUndoKind::None;
  }
  if (Editor->UpdateCount() == 0) {
    Editor->RecalcMetrics(false, true);
    if (Editor->Platform().IsShowing()) Editor->Platform().Invalidate();
    Editor->Change();
  }
}

void TUndoBuffer::Clear() {
  records_.clear();
  Index = -1;
}

}  // namespace zemblo
