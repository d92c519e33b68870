// Typing and the text-changing commands: characters, Enter, Backspace, Delete, Tab, the
// insert/overwrite switch and the line and word deletions built from other commands.
//
// Every change is made on the caret's logical line at its char index, the place its undo
// record names. The caret column may lie beyond the end of its row even after the row was
// filled up to it (a filled row can wrap again), so editing "the row at the caret column"
// would change another place than the one recorded.
#include <algorithm>

#include "editor/AdvEdit.h"

namespace zemblo {

void TAdvancedEditor::CmdCharacter(unsigned char c) {
  PrepareAtCaret();
  if (c < 32) return;
  if (selAvail_) DeleteSelection();
  UpdateLineIndexes();
  const int line = caretLineIndex_;
  const int at = caretCharIndex_;
  const int offset = lines_->LineOffset(line) + at;
  const int oldRows = lines_->RowCount(line);
  const std::string typed(1, static_cast<char>(c));
  if (insertMode_) {
    AddUndo(std::make_unique<TInsertUndo>(this, caretX_, caretY_, typed, offset));
    ReplaceInLine(line, at, 0, typed);
  } else {
    const std::string_view row = lines_->RowView(caretY_);
    const bool over = caretX_ < static_cast<int>(row.size());
    const std::string old = over ? std::string(1, row[caretX_]) : std::string();
    AddUndo(std::make_unique<TOverwriteUndo>(this, caretX_, caretY_, old, typed, offset));
    ReplaceInLine(line, at, over ? 1 : 0, typed);
  }
  ++caretCharIndex_;
  RefreshLine(line, oldRows);
  PlaceAtLineChar();
  SetCaret(wx_, wy_);
  Change();
  throw EComplete();
}

int TAdvancedEditor::AutoIndentColumn(int line) const {
  for (int l = line; l >= 0 && l >= line - 2 * visibleRows_; --l) {
    const std::string_view text = lines_->LineView(l);
    if (!text.empty()) return LeadingSpaces(text);
  }
  return 0;
}

void TAdvancedEditor::CmdLineBreak() {
  if (selAvail_) DeleteSelection();
  PrepareAtCaret();
  const int li = caretLineIndex_;
  const int ci = caretCharIndex_;
  const std::string line(lines_->LineView(li));
  std::string rest = line.substr(static_cast<size_t>(ci));
  const int ind = AutoIndentColumn(li);
  wx_ = ind;
  int pad = 0;
  if (rest.find_first_not_of(' ') != std::string::npos) {
    const int lb = LeadingSpaces(rest);
    if (ind > lb) {
      pad = ind - lb;
      rest.insert(0, static_cast<size_t>(pad), ' ');
    }
  }
  BeginGroup();
  try {
    AddUndo(std::make_unique<TInsertUndo>(this, caretX_, caretY_, "\r\n" + std::string(pad, ' '),
                                          lines_->LineOffset(li) + ci));
    recordMove_ = false;
    {
      TUpdateLock lock(*this, false);
      lines_->Put(li, line.substr(0, static_cast<size_t>(ci)));
      lines_->Insert(li + 1, rest);
    }
    // The caret goes to char index `ind` of the new line (in virtual space when the
    // line is shorter). While the indentation fits in a row that is column `ind` of the
    // line's first row; a wider one continues on the next rows, where column `ind` of the
    // first row would lie beyond the row: the next key would fill that row with more
    // spaces, and every further Enter would double the indentation.
    const TRowCol rc = lines_->LineCharToRowCol(li + 1, ind);
    wy_ = rc.Row;
    wx_ = rc.Col;
  } catch (...) {
    EndGroup();
    throw;
  }
  EndGroup();
  RefreshDown(li);
  Change();
}

int TAdvancedEditor::UnindentTarget(int x, int y) const {
  const std::string_view s = TrimTrailingSpaces(lines_->RowView(y));
  const int len = static_cast<int>(s.size());
  for (int i = 0; i < std::min(x, len); ++i)
    if (s[i] != ' ') return x - 1;
  if (x < len && s[x] == ' ') return x - 1;
  int limit = x - 1;
  for (int r = y - 1; r >= 0 && r >= y - 2 * visibleRows_; --r) {
    const std::string_view t = lines_->RowView(r);
    const int n = std::min(static_cast<int>(t.size()), limit);
    for (int p = 0; p < n; ++p)
      if (t[p] != ' ') return p;  // the first candidate is the largest
  }
  return 0;
}

// Backspace and Delete with a selection remove it and leave the caret where it lands.
void TAdvancedEditor::DeleteSelectedText() {
  DeleteSelection();
  wx_ = caretX_;
  wy_ = caretY_;
  recordMove_ = false;
  Change();
}

void TAdvancedEditor::CmdBackspace() {
  if (selAvail_) {
    DeleteSelectedText();
    return;
  }
  PrepareAtCaret();
  const int li = caretLineIndex_;
  if (wx_ > 0) {
    const int count = caretX_ - UnindentTarget(caretX_, caretY_);
    const int from = caretCharIndex_ - count;
    const int oldRows = lines_->RowCount(li);
    const std::string deleted(lines_->LineView(li).substr(static_cast<size_t>(from), static_cast<size_t>(count)));
    ReplaceInLine(li, from, count, "");
    caretCharIndex_ = from;
    PlaceAtLineChar();
    AddUndo(std::make_unique<TBackspaceUndo>(this, wx_, wy_, deleted, lines_->LineOffset(li) + from));
    recordMove_ = false;
    RefreshLine(li, oldRows);
    Change();
  } else if (wy_ == 0) {
    // Nothing before the start of the text.
  } else if (caretCharIndex_ > 0) {
    // Column 0 of a row that continues a wrapped line.
    const int from = caretCharIndex_ - 1;
    const std::string deleted(1, lines_->LineView(li)[from]);
    ReplaceInLine(li, from, 1, "");
    caretCharIndex_ = from;
    PlaceAtLineChar();
    AddUndo(std::make_unique<TBackspaceUndo>(this, wx_, wy_, deleted, lines_->LineOffset(li) + from));
    recordMove_ = false;
    RefreshDown(li);
    Change();
  } else {
    JoinLines(li - 1);
    recordMove_ = false;
    RefreshDown(li - 1);
    Change();
  }
}

void TAdvancedEditor::JoinLines(int line) {
  const std::string upper(lines_->LineView(line));
  const std::string lower(lines_->LineView(line + 1));
  const int r = lines_->FirstRow(line);
  const int offset = lines_->LineOffset(line);
  {
    TUpdateLock lock(*this, false);
    BeginGroup();
    try {
      AddUndo(std::make_unique<TCaretUndo>(this, caretX_, caretY_));
      AddUndo(std::make_unique<TDeleteUndo>(this, 0, r, upper + "\r\n" + lower + "\r\n", offset));
      AddUndo(std::make_unique<TInsertUndo>(this, 0, r, upper + lower + "\r\n", offset));
    } catch (...) {
      EndGroup();
      throw;
    }
    EndGroup();
    lines_->Put(line, upper + lower);
    lines_->Delete(line + 1);
  }
  const TRowCol rc = lines_->LineCharToRowCol(line, static_cast<int>(upper.size()));
  wy_ = rc.Row;
  wx_ = rc.Col;
}

void TAdvancedEditor::CmdDelete() {
  if (lines_->RowTotal() == 0) lines_->Add("");
  if (selAvail_) {
    DeleteSelectedText();
    return;
  }
  PrepareAtCaret();
  const std::string_view t = lines_->RowView(wy_);
  const int li = caretLineIndex_;
  const int ci = caretCharIndex_;
  const bool inRow = wx_ < static_cast<int>(t.size());
  if (inRow || (wy_ >= 0 && ci < lines_->LineLength(li))) {
    // A character of the row, or of the line where a wrapped row ends.
    const int oldRows = lines_->RowCount(li);
    const std::string deleted(1, lines_->LineView(li)[ci]);
    AddUndo(std::make_unique<TDeleteUndo>(this, caretX_, caretY_, deleted, lines_->LineOffset(li) + ci));
    recordMove_ = false;
    ReplaceInLine(li, ci, 1, "");
    PlaceAtLineChar();
    if (inRow)
      RefreshLine(li, oldRows);
    else
      RefreshDown(li);
    Change();
  } else if (wy_ < 0 || li >= lines_->Count() - 1) {
    // At the end of the last line there is nothing to join, also when filling the row up
    // to the caret has wrapped that line.
  } else {
    JoinLines(li);
    recordMove_ = false;
    RefreshDown(li);
    Change();
  }
}

int TAdvancedEditor::SmartTabColumn(int x, int y) const {
  // Column marks: the column of each row's last character, and its spaces from the scan
  // column on, so that rows further up only add what lies beyond the rows below them.
  std::vector<char> marks(static_cast<size_t>(maxLineLength_) + 1, 0);
  const int size = static_cast<int>(marks.size());
  int scan = 0;
  for (int r = y - 1; r >= 0 && r >= y - 2 * visibleRows_; --r) {
    const std::string_view s = TrimTrailingSpaces(lines_->RowView(r));
    const int len = static_cast<int>(s.size());
    if (len > 0 && len - 1 < size) marks[len - 1] = 1;
    for (int c = scan; c < len && c < size; ++c)
      if (s[c] == ' ') marks[c] = 1;
    bool wordAtOrAfter = false;
    for (int c = std::max(x - 1, 0); c < len && !wordAtOrAfter; ++c) wordAtOrAfter = s[c] == ' ';
    scan = std::max(scan, len);
    if (wordAtOrAfter || scan >= maxLineLength_ / 4) break;
  }
  for (int c = std::max(x + 1, 1); c < size; ++c)
    if (marks[c - 1] && !marks[c]) return c;
  return (x / TabWidth + 1) * TabWidth;
}

void TAdvancedEditor::CmdTab() {
  if (selAvail_) {
    PostCommand(cmdBlockIndent);
    return;
  }
  PrepareAtCaret();
  const int k = SmartTabColumn(caretX_, caretY_);
  wx_ = k;
  if (!insertMode_) return;  // overwrite mode only moves the caret
  const int li = caretLineIndex_;
  const int ci = caretCharIndex_;
  const std::string spaces(static_cast<size_t>(k - caretX_), ' ');
  const int oldRows = lines_->RowCount(li);
  AddUndo(std::make_unique<TInsertTabUndo>(this, caretX_, caretY_, spaces, lines_->LineOffset(li) + ci));
  recordMove_ = false;
  ReplaceInLine(li, ci, 0, spaces);
  caretCharIndex_ += k - caretX_;
  PlaceAtLineChar();
  RefreshLine(li, oldRows);
  Change();
}

void TAdvancedEditor::CmdDeleteLine() {
  if (wy_ < 0 || wy_ >= lines_->RowTotal()) return;
  const TRowPiece rp = lines_->RowToLine(wy_);
  const bool lastOfLine = rp.Piece == lines_->RowCount(rp.Line) - 1;
  if (lastOfLine)
    RunGrouped({cmdLineStart, cmdSelLineEnd, cmdDeleteSelection, cmdDelete});
  else
    RunGrouped({cmdLineStart, cmdSelLineEnd, cmdDeleteSelection});
}

void TAdvancedEditor::CmdDeleteWord() {
  if (!lines_->RowView(wy_).empty()) RunGrouped({cmdSelWordRight, cmdDeleteSelection});
  ExecuteCommand(cmdDelete);
  throw EComplete();
}

void TAdvancedEditor::CmdDeleteWordLeft() {
  if (!lines_->RowView(wy_).empty()) RunGrouped({cmdSelWordLeft, cmdDeleteSelection});
  ExecuteCommand(cmdBackspace);
  throw EComplete();
}

}  // namespace zemblo
