// Row composition: which rows a paint covers, the selection flags and colour cells of a
// line, and each display row as runs of equal look. The platform only puts the composed
// row on the screen.
#include <algorithm>

#include "editor/AdvEdit.h"

namespace zemblo {

TPixelRect TAdvancedEditor::CellRect(int col, int row) const {
  const int left = TextLeft() + col * charWidth_ + 1;
  const int top = row * lineHeight_;
  return {left, top, left + charWidth_, top + lineHeight_};
}

void TAdvancedEditor::Paint(const TPixelRect& clip) {
  if (updateCount_ > 0) return;
  SetCaretVisible(false);
  TPixelRect r{clip.Left - gutterWidth_, clip.Top, clip.Right - gutterWidth_, clip.Bottom};
  if (fullRepaint_) r = {0, 0, textWidth_, textHeight_};
  const int c0 = r.Left / charWidth_;
  const int c1 = r.Right / charWidth_ + 1;
  const int r0 = r.Top / lineHeight_;
  const int r1 = r.Bottom / lineHeight_ + 1;
  for (int v = r0; v <= r1; ++v) DrawRow(topRow_ + v, leftCol_ + c0 - 1, leftCol_ + c1);
  SetCaretVisible(true);
  PaintGutter();
  fullRepaint_ = false;
}

void TAdvancedEditor::DrawRow(int row, int fromCol, int toCol) {
  if (row < topRow_ || row > topRow_ + visibleRows_ || updateCount_ > 0) return;
  fromCol = std::max(fromCol, leftCol_);
  if (toCol < 0 || toCol > leftCol_ + visibleCols_ + 1) toCol = leftCol_ + visibleCols_ + 1;
  toCol = std::min(toCol, maxLineLength_ - 1);

  TRowImage& image = rowImage_;
  image.Runs.clear();
  image.Row = row;
  image.Y = (row - topRow_) * lineHeight_;
  image.Left = TextLeft();
  image.Width = textWidth_;
  image.CopyLeft = TextLeft();
  image.CopyWidth = (visibleCols_ + 2) * charWidth_;

  const bool exists = row >= 0 && row < lines_->RowTotal();
  bool lineEndSelected = false;
  int line = -1;
  int offset = 0;
  std::string_view rowText;
  if (exists) {
    const TRowPiece rp = lines_->RowToLine(row);
    line = rp.Line;
    const TParagraph& p = lines_->Paragraph(line);
    // The rows of one line share its text; it is copied once per change of the lines.
    if (line != preparedLine_ || lines_->Version() != preparedVersion_) {
      preparedLine_ = line;
      preparedVersion_ = lines_->Version();
      preparedText_ = p.Text;
      preparedMarked_ = p.Text + kEndOfLineMarker;
    }
    offset = p.PieceStart(rp.Piece);
    rowText = p.Piece(rp.Piece);
    // With the marker appended, the marker cell says whether the selection runs on past
    // the end of the line, which paints the rest of the row as selected.
    PrepareRow(line, row, preparedMarked_, static_cast<int>(rowText.size()) + 1, offset);
    lineEndSelected = attrLength_ >= 2 && selFlags_[attrLength_ - 2] != 0;
  }
  image.Background = lineEndSelected ? SelectionColor : Color;

  if (exists) {
    PrepareRow(line, row, preparedText_, static_cast<int>(rowText.size()), offset);
    const TLineAttrs& attrs = lines_->Paragraph(line).Attrs;
    const TCharAttr plain{FontColor, Color, FontStyle};
    auto effective = [&](int c) {
      const size_t i = static_cast<size_t>(offset + c);
      TCharAttr a = i < attrs.size() ? attrs[i] : plain;
      if (i < selFlags_.size() && selFlags_[i]) {
        a.Color = SelectionTextColor;
        a.BkColor = SelectionColor;
      }
      return a;
    };
    const int endCol = std::min(static_cast<int>(rowText.size()), toCol);
    int col = fromCol;
    while (col < endCol) {
      const TCharAttr a = effective(col);
      int c = col + 1;
      while (c < endCol && effective(c) == a) ++c;
      TRowRun run;
      run.X = CellRect(col - leftCol_, 0).Left;
      run.Text = std::string(rowText.substr(col, c - col));
      run.Attr = a;
      run.FillBackground = a.BkColor != Color;
      image.Runs.push_back(std::move(run));
      col = c;
    }
  }

  image.MarginX = -1;
  if (RightMarginVisible && leftCol_ < WrapColumn && WrapColumn < rightCol_ + 3) {
    image.MarginX = CellRect(WrapColumn - leftCol_, 0).Left;
    image.MarginColor = rightMarginColor_;
  }
  platform_->DrawRow(image);
}

void TAdvancedEditor::PrepareRow(int line, int row, const std::string& text, int rowLength, int offset) {
  if (static_cast<int>(text.size()) + 1 != attrLength_) {
    attrLength_ = static_cast<int>(text.size()) + 1;
    selFlags_.resize(static_cast<size_t>(attrLength_));
  }
  MarkSelection(row, rowLength, offset);
  TParagraph& p = lines_->Paragraph(line);
  if (p.NeedsHighlight) {
    p.Attrs.assign(static_cast<size_t>(attrLength_), TCharAttr{FontColor, Color, FontStyle});
    if (!text.empty() && OnHighlightLine) OnHighlightLine(this, text, line, selFlags_, p.Attrs);
    p.NeedsHighlight = false;
  }
}

void TAdvancedEditor::MarkSelection(int row, int rowLength, int offset) {
  // Only the cells marked last time can be set: clearing them clears all.
  const int clearTo = std::min(markedTo_, static_cast<int>(selFlags_.size()) - 1);
  for (int i = std::max(markedFrom_, 0); i <= clearTo; ++i) selFlags_[static_cast<size_t>(i)] = 0;
  markedFrom_ = 0;
  markedTo_ = -1;
  if (!selAvail_) return;
  auto mark = [&](int a, int b) {
    const int from = offset + a;
    const int to = offset + b;
    if (from < 0 || from >= attrLength_ || to >= attrLength_) return;
    for (int i = from; i <= to; ++i) selFlags_[static_cast<size_t>(i)] = 1;
    markedFrom_ = from;
    markedTo_ = to;
  };
  if (selStartY_ == row && row == selEndY_)
    mark(selStartX_, std::min(rowLength - 1, selEndX_ - 1));
  else if (selStartY_ == row && row < selEndY_)
    mark(selStartX_, rowLength - 1);
  else if (selStartY_ < row && row < selEndY_)
    mark(0, rowLength - 1);
  else if (selStartY_ < row && row == selEndY_)
    mark(0, std::min(rowLength - 1, selEndX_ - 1));
}

void TAdvancedEditor::PaintGutter() {
  if (updateCount_ > 0) return;
  TGutterImage g;
  g.Width = gutterWidth_ + 2;
  g.Height = platform_->ClientHeight();
  if (gutterWidth_ < 1) {
    g.Fill = Color;
  } else {
    g.Fill = gutterColor_;
    g.HasEdge = true;
    g.EdgeInner = Color;
    g.EdgeOuter = RGB(128, 128, 128);
  }
  platform_->DrawGutter(g);
}

void TAdvancedEditor::RehighlightAll() {
  for (int i = 0; i < lines_->Count(); ++i) lines_->Paragraph(i).NeedsHighlight = true;
  InvalidateView();
}

}  // namespace zemblo
