// The editor's history: one record per change of text, caret or selection, in creation
// order. Undo reverts the newest group, or the newest run of records of one kind, in one
// step; there is no redo.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace zemblo {

class TAdvancedEditor;
class TUndoBuffer;

// The exact class of a record: runs and steps compare classes exactly, never by base.
enum class TUndoKind {
  None,
  Caret,
  Insert,
  ReLine,
  InsertTab,
  Delete,
  Backspace,
  DeleteSelected,
  Overwrite,
  Select,
  Unselect,
  BeginCompound,
  EndCompound,
  Indent,
};

class TUndo {
 public:
  explicit TUndo(TAdvancedEditor* editor) : Editor(editor) {}
  virtual ~TUndo() = default;
  virtual TUndoKind Kind() const = 0;
  // Reverts the record, and with it the older records of its run where its kind merges
  // runs (moving buffer.Index back to the earliest of them).
  virtual void Undo(TUndoBuffer& buffer) = 0;

  // Whether the run that this record ends takes in `older`, the record just before it:
  // records of exactly the same kind. Text records also require that the two changes
  // touch, for a run is reverted as one change at one place; a caret moved without a
  // record between two typed words would otherwise make one undo delete the wrong text.
  virtual bool Extends(const TUndo& older) const { return older.Kind() == Kind(); }

  TAdvancedEditor* Editor;  // not owned

 protected:
  // Moves buffer.Index back over the older records of this record's run; returns the
  // index of the earliest record of the run.
  int SpanRun(TUndoBuffer& buffer) const;
};

// A caret position (column, row) before a move.
class TCaretUndo : public TUndo {
 public:
  TCaretUndo(TAdvancedEditor* editor, int x, int y) : TUndo(editor), X(x), Y(y) {}
  TUndoKind Kind() const override { return TUndoKind::Caret; }
  void Undo(TUndoBuffer& buffer) override;
  int X;
  int Y;
};

// Text inserted at Offset: the offset in GetText() of the place of the change, taken when
// the record is made (before the change), as LineOffset of the line plus the char index.
class TInsertUndo : public TCaretUndo {
 public:
  TInsertUndo(TAdvancedEditor* editor, int x, int y, std::string text, int offset)
      : TCaretUndo(editor, x, y), Text(std::move(text)), Offset(offset) {}
  TUndoKind Kind() const override { return TUndoKind::Insert; }
  void Undo(TUndoBuffer& buffer) override;
  // The older text ends where this one starts.
  bool Extends(const TUndo& older) const override {
    return older.Kind() == Kind() &&
           Offset == static_cast<const TInsertUndo&>(older).Offset + static_cast<int>(static_cast<const TInsertUndo&>(older).Text.size());
  }
  std::string Text;
  int Offset;
};

// Rows or spaces added to reach the caret; reverted along with whatever step meets it.
class TReLineUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
  TUndoKind Kind() const override { return TUndoKind::ReLine; }
};

class TInsertTabUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
  TUndoKind Kind() const override { return TUndoKind::InsertTab; }
};

// Text deleted at Offset (forward, so a run of them all happened at one place).
class TDeleteUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
  TUndoKind Kind() const override { return TUndoKind::Delete; }
  void Undo(TUndoBuffer& buffer) override;
  // Forward deletions at one place.
  bool Extends(const TUndo& older) const override {
    return older.Kind() == Kind() && Offset == static_cast<const TInsertUndo&>(older).Offset;
  }
};

// Text deleted leftward; made after the change, so Offset is where the text goes back.
class TBackspaceUndo : public TDeleteUndo {
 public:
  using TDeleteUndo::TDeleteUndo;
  TUndoKind Kind() const override { return TUndoKind::Backspace; }
  void Undo(TUndoBuffer& buffer) override;
  // This deletion ended where the older one began.
  bool Extends(const TUndo& older) const override {
    return older.Kind() == Kind() && Offset + static_cast<int>(Text.size()) == static_cast<const TInsertUndo&>(older).Offset;
  }
};

struct TSelectionState {
  int StartX = 0;
  int StartY = 0;
  int EndX = 0;
  int EndY = 0;
  bool operator==(const TSelectionState&) const = default;
};

class TDeleteSelectedUndo : public TDeleteUndo {
 public:
  TDeleteSelectedUndo(TAdvancedEditor* editor, int x, int y, std::string text, int offset,
                      TSelectionState selection, int selOffset)
      : TDeleteUndo(editor, x, y, std::move(text), offset), Selection(selection), SelOffset(selOffset) {}
  TUndoKind Kind() const override { return TUndoKind::DeleteSelected; }
  void Undo(TUndoBuffer& buffer) override;
  bool Extends(const TUndo& older) const override {
    return older.Kind() == Kind() && SelOffset == static_cast<const TDeleteSelectedUndo&>(older).SelOffset;
  }
  TSelectionState Selection;
  int SelOffset;  // offset of the selection's start
};

class TOverwriteUndo : public TCaretUndo {
 public:
  TOverwriteUndo(TAdvancedEditor* editor, int x, int y, std::string oldText, std::string newText, int offset)
      : TCaretUndo(editor, x, y), OldText(std::move(oldText)), NewText(std::move(newText)), Offset(offset) {}
  TUndoKind Kind() const override { return TUndoKind::Overwrite; }
  void Undo(TUndoBuffer& buffer) override;
  bool Extends(const TUndo& older) const override {
    if (older.Kind() != Kind()) return false;
    const auto& o = static_cast<const TOverwriteUndo&>(older);
    return Offset == o.Offset + static_cast<int>(o.NewText.size());
  }
  std::string OldText;
  std::string NewText;
  int Offset;
};

// The selection and the caret before the selection changed.
class TSelectUndo : public TCaretUndo {
 public:
  TSelectUndo(TAdvancedEditor* editor, int x, int y, TSelectionState selection)
      : TCaretUndo(editor, x, y), Selection(selection) {}
  TUndoKind Kind() const override { return TUndoKind::Select; }
  void Undo(TUndoBuffer& buffer) override;
  TSelectionState Selection;
};

class TUnselectUndo : public TSelectUndo {
 public:
  using TSelectUndo::TSelectUndo;
  TUndoKind Kind() const override { return TUndoKind::Unselect; }
};

class TBeginCompoundUndo : public TUndo {
 public:
  using TUndo::TUndo;
  TUndoKind Kind() const override { return TUndoKind::BeginCompound; }
  void Undo(TUndoBuffer&) override {}
};

class TEndCompoundUndo : public TBeginCompoundUndo {
 public:
  using TBeginCompoundUndo::TBeginCompoundUndo;
  TUndoKind Kind() const override { return TUndoKind::EndCompound; }
};

// Lines FirstLine .. LastLine were indented by Amount spaces.
class TIndentUndo : public TUndo {
 public:
  TIndentUndo(TAdvancedEditor* editor, int firstLine, int lastLine, int amount)
      : TUndo(editor), FirstLine(firstLine), LastLine(lastLine), Amount(amount) {}
  TUndoKind Kind() const override { return TUndoKind::Indent; }
  void Undo(TUndoBuffer& buffer) override;
  int FirstLine;
  int LastLine;
  int Amount;
};

class TUndoBuffer {
 public:
  explicit TUndoBuffer(TAdvancedEditor* editor) : Editor(editor) {}
  TUndoBuffer(const TUndoBuffer&) = delete;
  TUndoBuffer& operator=(const TUndoBuffer&) = delete;

  TAdvancedEditor* Editor;  // not owned
  // The newest record not yet undone; -1 when there is none.
  int Index = -1;
  bool Undoing = false;

  int Count() const { return static_cast<int>(records_.size()); }
  TUndo* Item(int i) const { return records_[i].get(); }
  // The record at Index, or nullptr.
  TUndo* Current() const;

  // Takes the record: dropped while an undo runs; otherwise every undone record is freed
  // and the new one becomes the current one.
  void Add(std::unique_ptr<TUndo> record);
  // Reverts one step.
  void Undo();
  void Clear();

 private:
  std::vector<std::unique_ptr<TUndo>> records_;
};

}  // namespace zemblo
