// Caret movement and selection commands. None of them changes text; each ends with the
// frame's placement, recorded as a caret move unless it recorded a selection change.
#include <algorithm>

#include "editor/AdvEdit.h"

namespace zemblo {

// Shift variants set the anchor at the caret before the move when nothing is selected.
void TAdvancedEditor::BeginSelect(bool shifted) {
  if (shifted && !selAvail_) ExtendSelection(caretX_, caretY_);
}

void TAdvancedEditor::FinishSelect(bool shifted) {
  if (shifted) {
    ExtendSelection(wx_, wy_);
    recordMove_ = false;
  } else {
    ClearSelection();
  }
}

void TAdvancedEditor::CmdHorizontal(TEditCommand cmd) {
  const bool shifted = cmd == cmdSelLeft || cmd == cmdSelRight;
  const bool left = cmd == cmdLeft || cmd == cmdSelLeft;
  BeginSelect(shifted);
  wx_ = left ? std::max(wx_ - 1, 0) : std::min(wx_ + 1, maxLineLength_);
  FinishSelect(shifted);
}

void TAdvancedEditor::CmdVertical(TEditCommand cmd) {
  const bool shifted = cmd == cmdSelUp || cmd == cmdSelDown;
  const bool up = cmd == cmdUp || cmd == cmdSelUp;
  if (up ? wy_ <= 0 : wy_ >= LastRow()) return;
  BeginSelect(shifted);
  wy_ += up ? -1 : 1;
  FinishSelect(shifted);
}

void TAdvancedEditor::CmdWordLeft(TEditCommand cmd) {
  if (lines_->RowTotal() == 0) return;
  const bool shifted = cmd == cmdSelWordLeft;
  const std::string t = lines_->RowText(wy_);
  const int length = static_cast<int>(t.size());
  if (wx_ > length) wx_ = length;
  if (wx_ == 0) {
    // From the start of a row to the end of the row above; the selection stays as it is.
    if (wy_ == 0) return;
    --wy_;
    wx_ = lines_->RowLength(wy_);
    return;
  }
  if (shifted && !selAvail_) ExtendSelection(caretX_, caretY_);
  int i = wx_ - 1;
  while (i >= 0 && IsWordDelimiter(t[i])) --i;
  const bool sawWord = i >= 0;
  if (sawWord) {
    while (i >= 0 && !IsWordDelimiter(t[i])) --i;
    if (i >= 0) wx_ = i + 1;
  }
  if (wx_ == caretX_) wx_ = 0;
  FinishSelect(shifted);
  if (!sawWord && wx_ == 0 && wy_ > 0) {
    // Only delimiters before the caret: go on from column 0 to the end of the row above.
    caretX_ = 0;
    ExecuteCommand(cmd);
    throw EComplete();
  }
}

void TAdvancedEditor::CmdWordRight(TEditCommand cmd) {
  if (lines_->RowTotal() == 0) return;
  const bool shifted = cmd == cmdSelWordRight;
  const std::string t = lines_->RowText(wy_);
  const int length = static_cast<int>(t.size());
  if (wx_ >= length) {
    // From a row's end to the start of the next row; the selection stays as it is.
    if (wy_ >= lines_->RowTotal() - 1) return;
    ++wy_;
    wx_ = 0;
    const std::string_view next = lines_->RowView(wy_);
    if (next.empty()) return;
    if (next[0] == ' ') {
      // Skip the leading blanks to the first word, by a second run from column 0.
      caretX_ = 0;
      caretY_ = wy_;
      ExecuteCommand(cmd);
      throw EComplete();
    }
    return;
  }
  if (shifted && !selAvail_) ExtendSelection(caretX_, caretY_);
  int i = wx_;
  while (i < length && !IsWordDelimiter(t[i])) ++i;
  while (i < length && IsWordDelimiter(t[i])) ++i;
  if (i < length) wx_ = i;
  if (wx_ == caretX_) wx_ = length;
  FinishSelect(shifted);
}

void TAdvancedEditor::CmdPage(TEditCommand cmd) {
  const int d = (cmd == cmdPageUp || cmd == cmdSelPageUp) ? -1 : 1;
  const bool shifted = cmd == cmdSelPageUp || cmd == cmdSelPageDown;
  if (shifted) {
    TUpdateLock lock(*this, true);
    ExtendSelection(wx_, wy_);
    wy_ = std::max(std::min(wy_ + visibleRows_ * d, lines_->RowTotal() - 1), 0);
    ExtendSelection(wx_, wy_);
    recordMove_ = false;
    return;
  }
  wy_ = std::max(std::min(wy_ + visibleRows_ * d, lines_->RowTotal() - 1), 0);
  ClearSelection();
}

void TAdvancedEditor::CmdLineEnds(TEditCommand cmd) {
  const bool shifted = cmd >= cmdSelLineStart;
  const TEditCommand base = shifted ? static_cast<TEditCommand>(cmd - 4) : cmd;
  if (shifted && !selAvail_) ExtendSelection(caretX_, wy_);
  switch (base) {
    case cmdLineStart:
      wx_ = 0;
      break;
    case cmdEditorTop:
      wx_ = 0;
      wy_ = 0;
      ScrollTo(0, 0);
      break;
    case cmdLineEnd:
      wx_ = lines_->RowTotal() > 0 ? lines_->RowLength(wy_) : 0;
      break;
    case cmdEditorBottom:
      if (lines_->RowTotal() > 0) {
        wy_ = lines_->RowTotal() - 1;
        wx_ = lines_->RowLength(wy_);
        ScrollTo(std::max(wx_ - visibleCols_, 0), std::max(wy_ - visibleRows_ + 1, 0));
      }
      break;
    default:
      break;
  }
  FinishSelect(shifted);
}

void TAdvancedEditor::CmdScroll(TEditCommand cmd) {
  const bool down = cmd == cmdScrollDown;
  if (!(down && wy_ == LastRow() && wy_ == topRow_)) {
    vScrollBar_.SetParam(TScrollParam::Position, vScrollBar_.Position + (down ? 1 : -1));
    ScrollView(true, vScrollBar_.Position);
  }
  if (wy_ < topRow_)
    wy_ = topRow_;
  else if (wy_ > bottomRow_)
    wy_ = bottomRow_;
}

}  // namespace zemblo
