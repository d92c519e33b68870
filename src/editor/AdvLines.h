// The line store of the editor: the text as logical lines, each cut into display rows of at
// most WrapColumn characters, with the conversions between the three coordinate systems:
// (column, row) on screen, (char index, logical line), and the offset in the whole text
// (every line followed by CR LF).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/CharAttr.h"
#include "editor/Partitioning.h"
#include "editor/SplitVector.h"

namespace zemblo {

class TAdvancedEditor;

// One logical line. Its pieces (display rows) are consecutive slices of Text.
struct TParagraph {
  // Set whenever the pieces are rebuilt; painting clears it after colouring the line.
  bool NeedsHighlight = true;
  std::string Text;
  // Start of every piece after the first, strictly ascending, each piece at most
  // WrapColumn long; empty for a line of one row.
  std::vector<int> Breaks;
  // Colour cells of the line, filled by painting; emptied whenever the line is rebuilt.
  TLineAttrs Attrs;

  int RowCount() const { return static_cast<int>(Breaks.size()) + 1; }
  int PieceStart(int k) const { return k == 0 ? 0 : Breaks[k - 1]; }
  int PieceEnd(int k) const { return k + 1 < RowCount() ? Breaks[k] : static_cast<int>(Text.size()); }
  std::string_view Piece(int k) const {
    return std::string_view(Text).substr(PieceStart(k), PieceEnd(k) - PieceStart(k));
  }
};

struct TLineChar {
  int Char = 0;
  int Line = 0;
  bool operator==(const TLineChar&) const = default;
};

struct TRowCol {
  int Row = 0;
  int Col = 0;
  bool operator==(const TRowCol&) const = default;
};

struct TRowPiece {
  int Line = -1;
  int Piece = -1;
  bool operator==(const TRowPiece&) const = default;
};

class TAdvLines {
 public:
  explicit TAdvLines(TAdvancedEditor* editor = nullptr) : Editor(editor) {}
  virtual ~TAdvLines() = default;
  TAdvLines(const TAdvLines&) = delete;
  TAdvLines& operator=(const TAdvLines&) = delete;

  // The owning editor; not owned. Without one (tests of the store alone) nothing is
  // reported and MaxLineLength is not tracked.
  TAdvancedEditor* Editor;

  // --- the string-list interface, in logical lines ---
  int Count() const { return paragraphs_.Length(); }
  int Capacity() const { return paragraphs_.Capacity(); }
  // The line's text; "" for an index outside 0 .. Count() - 1.
  std::string Get(int index) const;
  // The same without a copy.
  std::string_view LineView(int index) const;
  int LineLength(int index) const;
  void Put(int index, const std::string& text);
  int Insert(int index, std::string_view text);
  int Add(std::string_view text) { return Insert(Count(), text); }
  void Delete(int index);
  void Clear();
  std::string GetText() const;
  void SetText(std::string_view text);
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  void BeginUpdate();
  void EndUpdate();
  virtual void Changing() {}
  virtual void Changed();

  // --- display rows ---
  int RowTotal() const { return rows_.Total(); }
  int FirstRow(int line) const { return rows_.Start(line); }
  int RowCount(int line) const { return paragraphs_[line].RowCount(); }
  std::string RowText(int row) const { return std::string(RowView(row)); }
  // "" for a row that does not exist.
  std::string_view RowView(int row) const;
  int RowLength(int row) const { return static_cast<int>(RowView(row).size()); }
  // (line, piece); (-1, -1) when the row does not exist and some line is wrapped; with no
  // wrapped line (min(row, Count() - 1), 0).
  TRowPiece RowToLine(int row) const;
  // char index = col + the lengths of the pieces before the row's; raises the list index
  // error for a row that does not exist. The column is not limited to the row.
  TLineChar RowColToLineChar(int col, int row) const;
  // A char index at a piece boundary maps to the end of the upper row; a char index past
  // the line's end to the last row, beyond its end.
  TRowCol LineCharToRowCol(int line, int charIndex) const;
  // Offset of line n in GetText(); n may be Count().
  int LineOffset(int n) const { return offsets_.Start(n); }
  int TextLength() const { return offsets_.Total(); }
  // GetText().substr(from, to - from) without building the whole text.
  std::string GetTextRange(int from, int to) const;
  // The line holding `offset` (its characters and its CR LF); Count() at the very end.
  int LineFromOffset(int offset) const;

  void PutRow(int row, const std::string& text);
  void PutRowLocked(int row, const std::string& text);
  void PutLocked(int index, const std::string& text);
  // PutLocked(index, the line with `count` characters at `at` replaced by `text`),
  // changing the line in place.
  void ReplaceInLine(int index, int at, int count, std::string_view text);
  void SetTextKeepState(std::string_view text);

  // The same as SetTextKeepState(GetText() with `count` characters at `offset` replaced by
  // `text`), touching only the lines the change reaches. Offsets are clamped to the text.
  void ReplaceRangeKeepState(int offset, int count, std::string_view text);

  // Makes the editor's caret position exist in the text (rows and spaces added, each
  // recorded for undo) and, beyond that, the caret's char index in its logical line.
  void PadToCaret();

  // Direct access for painting and for checks.
  TParagraph& Paragraph(int index) { return paragraphs_[index]; }
  const TParagraph& Paragraph(int index) const { return paragraphs_[index]; }
  // "" when every invariant holds, else a description of the first one broken.
  std::string CheckInvariants() const;
  // Changes with every change of the lines; lets painting reuse what it built for a line.
  unsigned Version() const { return version_; }

 private:
  TSplitVector<TParagraph> paragraphs_;
  // Partition i is line i: its display rows, and its characters plus 2 for CR LF.
  TPartitioning rows_;
  TPartitioning offsets_;
  unsigned version_ = 0;

  void RaiseMaxLineLength(size_t length);
  // Re-cuts a line into pieces and brings the row and offset totals up to date.
  void StoreLine(int index, std::string text);
  void EditLine(int index, int at, int count, std::string_view text);
  // After text[editPos, oldEnd) of a line became [editPos, newEnd): its pieces cut again
  // where the change reaches, its colours dropped, the totals brought up to date.
  void Rebuilt(int index, int editPos, int oldEnd, int newEnd);
  void InsertLine(int index, std::string text);
  void AppendLines(std::string_view text);
  void RemoveLines(int index, int count);
  void ClearLines();
  int UpdateCount() const;
  void RaiseUpdate();
  void LowerUpdate();
  friend class TUpdateRaise;
};

// Cuts `text` into pieces of at most WrapColumn characters: a piece that is too long breaks
// after the last space among its first WrapColumn characters (a space in its very first
// position does not count), or after WrapColumn characters when there is none.
void ComputeBreaks(std::string_view text, std::vector<int>& breaks);
// The same for a line whose text[editPos, oldEnd) was just replaced by text[editPos,
// newEnd), given its old breaks; cuts again only the pieces the change can reach.
void RecomputeBreaks(std::string_view text, std::vector<int>& breaks, int editPos, int oldEnd, int newEnd);

}  // namespace zemblo
