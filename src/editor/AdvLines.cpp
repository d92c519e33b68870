#include "editor/AdvLines.h"

#include <algorithm>
#include <climits>

#include "editor/AEFuncs.h"
#include "editor/AdvEdit.h"
#include "editor/UndoBuffer.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"

namespace zemblo {

namespace {

// Offsets are 32-bit and count 2 for every line break, so a text may hold at most a third
// of the range.
constexpr size_t kMaxTextLength = INT_MAX / 3;

void CheckTextSize(size_t size) {
  if (size > kMaxTextLength) throw EAdvEditError("The text is too large for the editor");
}

}  // namespace

// Raises the editor's update count for its lifetime, so that the store's Changed does not
// run LinesChanged.
class TUpdateRaise {
 public:
  explicit TUpdateRaise(TAdvLines& lines) : lines_(lines) { lines_.RaiseUpdate(); }
  ~TUpdateRaise() { lines_.LowerUpdate(); }
  TUpdateRaise(const TUpdateRaise&) = delete;
  TUpdateRaise& operator=(const TUpdateRaise&) = delete;

 private:
  TAdvLines& lines_;
};

namespace {

// Where a piece starting at `start` ends when the text goes on past WrapColumn characters
// from there: after the last space among its first WrapColumn characters (not counting
// its very first one), else after WrapColumn characters.
int BreakAfter(std::string_view text, int start) {
  for (int j = start + WrapColumn - 1; j >= start + 1; --j)
    if (text[j] == ' ') return j + 1;
  return start + WrapColumn;
}

}  // namespace

void ComputeBreaks(std::string_view text, std::vector<int>& breaks) {
  breaks.clear();
  const int n = static_cast<int>(text.size());
  for (int start = 0; n - start > WrapColumn;) {
    start = BreakAfter(text, start);
    breaks.push_back(start);
  }
}

// A piece's break depends only on the WrapColumn + 1 characters from its start, so the
// pieces whose window ends before the change keep their breaks; from the first one it
// reaches the line is cut again until a new break, past the change, meets an old break
// (shifted by the change's length): from there on the text, and so every later break, is
// the old one shifted.
void RecomputeBreaks(std::string_view text, std::vector<int>& breaks, int editPos, int oldEnd, int newEnd) {
  const std::vector<int> old = std::move(breaks);
  breaks.clear();
  const int delta = newEnd - oldEnd;
  size_t keep = 0;
  int start = 0;
  while (keep < old.size() && start + WrapColumn < editPos) start = old[keep++];
  breaks.assign(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(keep));
  const int n = static_cast<int>(text.size());
  while (n - start > WrapColumn) {
    start = BreakAfter(text, start);
    breaks.push_back(start);
    if (start >= newEnd) {
      auto it = std::lower_bound(old.begin() + static_cast<std::ptrdiff_t>(keep), old.end(), start - delta);
      if (it != old.end() && *it == start - delta) {
        for (++it; it != old.end(); ++it) breaks.push_back(*it + delta);
        return;
      }
    }
  }
}

// --- update count and line length bookkeeping ---

int TAdvLines::UpdateCount() const { return Editor ? Editor->updateCount_ : 0; }
void TAdvLines::RaiseUpdate() {
  if (Editor) ++Editor->updateCount_;
}
void TAdvLines::LowerUpdate() {
  if (Editor && Editor->updateCount_ > 0) --Editor->updateCount_;
}

void TAdvLines::RaiseMaxLineLength(size_t length) {
  if (Editor) Editor->RaiseMaxLineLength(static_cast<int>(length));
}

void TAdvLines::BeginUpdate() { RaiseUpdate(); }

void TAdvLines::EndUpdate() {
  LowerUpdate();
  Changed();
}

void TAdvLines::Changed() {
  if (Editor && UpdateCount() == 0) Editor->LinesChanged();
}

// --- paragraphs ---

void TAdvLines::StoreLine(int index, std::string text) {
  const TParagraph& p = paragraphs_[index];
  // The common start and end of the old and the new text bound the change.
  const std::string& old = p.Text;
  const size_t shorter = std::min(old.size(), text.size());
  size_t prefix = 0;
  while (prefix < shorter && old[prefix] == text[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < shorter - prefix && old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix]) ++suffix;
  const int oldEnd = static_cast<int>(old.size() - suffix);
  const int newEnd = static_cast<int>(text.size() - suffix);
  std::string& target = paragraphs_[index].Text;
  target = std::move(text);
  Rebuilt(index, static_cast<int>(prefix), oldEnd, newEnd);
}

void TAdvLines::EditLine(int index, int at, int count, std::string_view text) {
  paragraphs_[index].Text.replace(static_cast<size_t>(at), static_cast<size_t>(count), text);
  Rebuilt(index, at, at + count, at + static_cast<int>(text.size()));
}

void TAdvLines::Rebuilt(int index, int editPos, int oldEnd, int newEnd) {
  TParagraph& p = paragraphs_[index];
  const int oldRows = p.RowCount();
  RecomputeBreaks(p.Text, p.Breaks, editPos, oldEnd, newEnd);
  p.NeedsHighlight = true;
  p.Attrs.clear();
  ++version_;
  if (int d = p.RowCount() - oldRows) rows_.Shift(index, d);
  if (int d = newEnd - oldEnd) offsets_.Shift(index, d);
}

void TAdvLines::InsertLine(int index, std::string text) {
  RaiseMaxLineLength(text.size());
  TParagraph p;
  p.Text = std::move(text);
  ComputeBreaks(p.Text, p.Breaks);
  const int rows = p.RowCount();
  const int length = static_cast<int>(p.Text.size()) + 2;
  paragraphs_.Insert(index, std::move(p));
  ++version_;
  rows_.InsertPartition(index, rows);
  offsets_.InsertPartition(index, length);
}

void TAdvLines::RemoveLines(int index, int count) {
  for (int i = 0; i < count; ++i) {
    rows_.RemovePartition(index);
    offsets_.RemovePartition(index);
  }
  paragraphs_.Delete(index, count);
  ++version_;
}

void TAdvLines::ClearLines() {
  ++version_;
  paragraphs_.Clear();
  rows_.Clear();
  offsets_.Clear();
}

// --- the string-list interface ---

std::string_view TAdvLines::LineView(int index) const {
  if (index < 0 || index >= Count()) return {};
  return paragraphs_[index].Text;
}

std::string TAdvLines::Get(int index) const { return std::string(LineView(index)); }

int TAdvLines::LineLength(int index) const { return static_cast<int>(LineView(index).size()); }

void TAdvLines::Put(int index, const std::string& text) {
  if (index < 0 || index >= Count()) throw EListError(index);
  CheckTextSize(text.size());
  RaiseMaxLineLength(text.size());
  Changing();
  StoreLine(index, text);
  Changed();
}

int TAdvLines::Insert(int index, std::string_view text) {
  if (index < 0 || index > Count()) throw EListError(index);
  CheckTextSize(static_cast<size_t>(TextLength()) + text.size());
  std::vector<std::string> lines = CutInsertedLines(text);
  Changing();
  paragraphs_.Reserve(static_cast<int>(lines.size()));
  for (size_t k = 0; k < lines.size(); ++k) InsertLine(index + static_cast<int>(k), ExpandTabs(lines[k]));
  Changed();
  return index;
}

void TAdvLines::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError(index);
  Changing();
  RemoveLines(index, 1);
  Changed();
}

void TAdvLines::Clear() {
  if (Count() == 0) return;
  Changing();
  ClearLines();
  Changed();
}

std::string TAdvLines::GetText() const {
  std::string text;
  text.reserve(TextLength());
  for (int i = 0; i < Count(); ++i) {
    text += paragraphs_[i].Text;
    text += "\r\n";
  }
  return text;
}

std::string TAdvLines::GetTextRange(int from, int to) const {
  from = std::clamp(from, 0, TextLength());
  to = std::clamp(to, from, TextLength());
  std::string out;
  out.reserve(to - from);
  int line = LineFromOffset(from);
  int pos = from;
  while (pos < to && line < Count()) {
    const int start = LineOffset(line);
    const std::string& t = paragraphs_[line].Text;
    const int len = static_cast<int>(t.size());
    // Characters of the line, then its CR LF.
    int i = pos - start;
    if (i < len) {
      const int n = std::min(len - i, to - pos);
      out.append(t, i, n);
      pos += n;
      i += n;
    }
    if (pos < to && i == len) {
      out += '\r';
      ++pos;
      ++i;
    }
    if (pos < to && i == len + 1) {
      out += '\n';
      ++pos;
    }
    ++line;
  }
  return out;
}

int TAdvLines::LineFromOffset(int offset) const {
  if (offset >= TextLength()) return Count();
  return std::max(offsets_.PartitionFromPosition(offset), 0);
}

void TAdvLines::SetText(std::string_view text) {
  CheckTextSize(text.size());
  {
    TUpdateRaise raise(*this);
    Clear();
    Changing();
    AppendLines(text);
    Changed();
  }
  if (Editor && UpdateCount() == 0) {
    Editor->UndoBuffer().Clear();
    Editor->LinesChanged();
    Editor->caretX_ = -1;
    Editor->caretY_ = -1;
    Editor->SetCaret(0, 0);
  }
}

void TAdvLines::LoadFromFile(const std::string& fileName) {
  BeginUpdate();
  try {
    const std::string bytes = ReadFileBytes(fileName);
    SetText(bytes);
    if (Editor) Editor->UndoBuffer().Clear();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TAdvLines::SaveToFile(const std::string& fileName) const { WriteFileSafely(fileName, GetText()); }

// --- display rows ---

TRowPiece TAdvLines::RowToLine(int row) const {
  if (RowTotal() == Count()) return {std::min(row, Count() - 1), 0};
  if (row < 0 || row >= RowTotal()) return {-1, -1};
  const int line = rows_.PartitionFromPosition(row);
  return {line, row - FirstRow(line)};
}

std::string_view TAdvLines::RowView(int row) const {
  if (row < 0 || row >= RowTotal()) return {};
  const TRowPiece rp = RowToLine(row);
  return paragraphs_[rp.Line].Piece(rp.Piece);
}

TLineChar TAdvLines::RowColToLineChar(int col, int row) const {
  if (row < 0 || row >= RowTotal()) throw EListError(row);
  const TRowPiece rp = RowToLine(row);
  return {col + paragraphs_[rp.Line].PieceStart(rp.Piece), rp.Line};
}

TRowCol TAdvLines::LineCharToRowCol(int line, int charIndex) const {
  if (Count() == 0) return {0, charIndex};
  line = std::clamp(line, 0, Count() - 1);
  // A line of one row needs no look at its pieces.
  const int firstRow = FirstRow(line);
  if (rows_.Start(line + 1) - firstRow == 1) return {firstRow, charIndex};
  const TParagraph& p = paragraphs_[line];
  // The first piece whose end reaches the char index; the last piece when none does.
  auto it = std::lower_bound(p.Breaks.begin(), p.Breaks.end(), charIndex);
  const int piece = static_cast<int>(it - p.Breaks.begin());
  return {firstRow + piece, charIndex - p.PieceStart(piece)};
}

void TAdvLines::PutRow(int row, const std::string& text) {
  if (RowTotal() == Count()) {
    Put(row, text);
    return;
  }
  const TRowPiece rp = RowToLine(row);
  if (rp.Line < 0) throw EListError(row);
  CheckTextSize(static_cast<size_t>(TextLength()) + text.size());
  Changing();
  RaiseMaxLineLength(text.size());
  const TParagraph& p = paragraphs_[rp.Line];
  std::string line = p.Text.substr(0, p.PieceStart(rp.Piece));
  line += text;
  line.append(p.Text, p.PieceEnd(rp.Piece));
  StoreLine(rp.Line, std::move(line));
  Changed();
}

void TAdvLines::PutRowLocked(int row, const std::string& text) {
  TUpdateRaise raise(*this);
  PutRow(row, text);
}

void TAdvLines::PutLocked(int index, const std::string& text) {
  TUpdateRaise raise(*this);
  Put(index, text);
}

void TAdvLines::ReplaceInLine(int index, int at, int count, std::string_view text) {
  if (index < 0 || index >= Count()) throw EListError(index);
  const int length = LineLength(index);
  at = std::clamp(at, 0, length);
  count = std::clamp(count, 0, length - at);
  CheckTextSize(static_cast<size_t>(TextLength()) + text.size());
  TUpdateRaise raise(*this);
  RaiseMaxLineLength(static_cast<size_t>(length - count) + text.size());
  Changing();
  EditLine(index, at, count, text);
  Changed();
}

void TAdvLines::SetTextKeepState(std::string_view text) {
  CheckTextSize(text.size());
  TUpdateRaise raise(*this);
  Changing();
  ClearLines();
  AppendLines(text);
  Changed();
}

// Tabs expanded, then cut by the whole-text rule, each line stored as it is found: a large
// file goes in without a second copy of its lines.
void TAdvLines::AppendLines(std::string_view text) {
  std::string expanded;
  if (text.find('\t') != std::string_view::npos) {
    expanded = ExpandTabs(text);
    text = expanded;
  }
  int breaks = 0;
  for (char c : text) breaks += (c == '\n' || c == '\r');
  paragraphs_.Reserve(breaks + 1);
  rows_.Reserve(breaks + 1);
  offsets_.Reserve(breaks + 1);
  const size_t n = text.size();
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    InsertLine(Count(), std::string(text.substr(start, i - start)));
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) InsertLine(Count(), std::string(text.substr(start)));
}

void TAdvLines::ReplaceRangeKeepState(int offset, int count, std::string_view text) {
  const int total = TextLength();
  offset = std::clamp(offset, 0, total);
  count = std::clamp(count, 0, total - offset);
  if (count == 0 && text.empty()) return;
  CheckTextSize(static_cast<size_t>(total) + text.size());
  TUpdateRaise raise(*this);
  // The change reaches from the start of the line holding `offset` to the end (after its
  // CR LF) of the line holding `offset + count`. Outside that span GetText() keeps whole
  // lines with their line breaks, so cutting only the span gives the same lines as
  // cutting the whole text.
  const int first = LineFromOffset(offset);
  const int end = offset + count;
  const int last = LineFromOffset(end);  // Count() when the change reaches the end
  const int spanEnd = last < Count() ? LineOffset(last + 1) : total;
  std::string span = GetTextRange(LineOffset(first), offset);
  span += text;
  span += GetTextRange(end, spanEnd);
  std::vector<std::string> lines = CutTextIntoLines(ExpandTabs(span));
  const int oldCount = (last < Count() ? last + 1 : Count()) - first;
  const int newCount = static_cast<int>(lines.size());
  Changing();
  const int kept = std::min(oldCount, newCount);
  for (int k = 0; k < kept; ++k) {
    RaiseMaxLineLength(lines[k].size());
    StoreLine(first + k, std::move(lines[k]));
  }
  if (newCount > oldCount) {
    paragraphs_.Reserve(newCount - oldCount);
    for (int k = kept; k < newCount; ++k) InsertLine(first + k, std::move(lines[k]));
  } else if (oldCount > newCount) {
    RemoveLines(first + kept, oldCount - newCount);
  }
  Changed();
}

void TAdvLines::PadToCaret() {
  if (!Editor) return;
  TAdvancedEditor& ed = *Editor;
  TUpdateRaise raise(*this);
  int l = RowTotal() > 0 ? RowLength(RowTotal() - 1) : ed.caretX_;
  while (RowTotal() - 1 < ed.caretY_) {
    if (Count() > 0) {
      const int lastRow = RowTotal() - 1;
      ed.AddUndo(std::make_unique<TReLineUndo>(&ed, l, lastRow, "\r\n", ed.OffsetOfCell(l, lastRow)));
    }
    Add("");
    l = 0;
  }
  const int y = ed.caretY_;
  const int rowLength = RowLength(y);
  if (rowLength < ed.caretX_) {
    std::string spaces(ed.caretX_ - rowLength, ' ');
    ed.AddUndo(std::make_unique<TReLineUndo>(&ed, rowLength, y, spaces, ed.OffsetOfCell(rowLength, y)));
    PutRow(y, RowText(y) + spaces);
  }
  // Padding a wrapped row, or the last row past WrapColumn, re-wraps the line, and the
  // caret's column may still lie beyond its row: its char index may even lie beyond the
  // line's end. Edits happen at that char index (where their undo records point), so the
  // line is filled up to it as well.
  const TLineChar lc = RowColToLineChar(ed.caretX_, y);
  const int length = LineLength(lc.Line);
  if (lc.Char > length) {
    std::string spaces(lc.Char - length, ' ');
    const TRowCol end = LineCharToRowCol(lc.Line, length);
    ed.AddUndo(std::make_unique<TReLineUndo>(&ed, end.Col, end.Row, spaces, LineOffset(lc.Line) + length));
    Put(lc.Line, Get(lc.Line) + spaces);
  }
  // The caret then moves to where that char index now stands, so that it exists: left
  // beyond its row, every further key would fill the row again.
  if (ed.caretX_ > RowLength(y)) {
    const TRowCol rc = LineCharToRowCol(lc.Line, lc.Char);
    ed.SetCaret(rc.Col, rc.Row);
  }
}

std::string TAdvLines::CheckInvariants() const {
  int row = 0;
  int offset = 0;
  std::vector<int> breaks;
  for (int i = 0; i < Count(); ++i) {
    const TParagraph& p = paragraphs_[i];
    if (FirstRow(i) != row) return "FirstRow of line " + std::to_string(i) + " breaks the chain";
    if (LineOffset(i) != offset) return "LineOffset of line " + std::to_string(i) + " breaks the chain";
    if (rows_.Length(i) != p.RowCount()) return "row partition of line " + std::to_string(i) + " differs";
    for (int k = 0; k < p.RowCount(); ++k) {
      if (p.PieceEnd(k) <= p.PieceStart(k) && p.RowCount() > 1)
        return "empty piece in line " + std::to_string(i);
      if (p.PieceEnd(k) - p.PieceStart(k) > WrapColumn) return "piece longer than the wrap column in line " + std::to_string(i);
    }
    ComputeBreaks(p.Text, breaks);
    if (breaks != p.Breaks) return "line " + std::to_string(i) + " is not wrapped by the rule";
    row += p.RowCount();
    offset += static_cast<int>(p.Text.size()) + 2;
  }
  if (RowTotal() != row) return "RowTotal is not the sum of the row counts";
  if (TextLength() != offset) return "the text length is not the sum of the line lengths";
  const std::string text = GetText();
  if (static_cast<int>(text.size()) != offset) return "GetText has the wrong length";
  bool plain = true;
  for (int i = 0; i < Count() && plain; ++i)
    plain = paragraphs_[i].Text.find_first_of("\r\n") == std::string::npos;
  if (plain) {
    std::vector<std::string> lines = CutTextIntoLines(text);
    if (static_cast<int>(lines.size()) != Count()) return "GetText does not cut back into the same lines";
    for (int i = 0; i < Count(); ++i)
      if (lines[i] != paragraphs_[i].Text) return "GetText does not give back line " + std::to_string(i);
  }
  return "";
}

}  // namespace zemblo
