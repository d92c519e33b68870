// The view side the commands share: caret placement, scrolling arithmetic, metrics,
// selection by extension, and the offset coordinates of the whole text.
#include <algorithm>
#include <cstdlib>

#include "editor/AdvEdit.h"

namespace zemblo {

// --- caret ---

TPixelPoint TAdvancedEditor::CaretPixel() const {
  const TPixelRect r = CellRect(caretX_ - leftCol_, caretY_ - topRow_);
  return {r.Left - 1, r.Top + 1};
}

// The platform's caret hides and shows in nested pairs, as the window system's caret
// does: only the outermost show makes it visible again.
void TAdvancedEditor::SetCaretVisible(bool show) {
  if (!show) {
    if (caretHideDepth_++ == 0) platform_->HideCaret();
    return;
  }
  if (caretHideDepth_ > 0 && --caretHideDepth_ > 0) return;
  if (!platform_->HasFocus()) return;
  const TPixelPoint p = CaretPixel();
  platform_->SetCaretPos(p.X, p.Y);
  platform_->ShowCaret();
}

void TAdvancedEditor::SetCaret(int x, int y) {
  if (x == caretX_ && y == caretY_) return;
  y = std::min(y, lines_->RowTotal() - 1);
  y = std::max(y, 0);
  x = std::max(std::min(x, maxLineLength_), 0);
  if (y < topRow_)
    ScrollTo(leftCol_, y);
  else if (y > std::max(bottomRow_, 0))
    ScrollTo(leftCol_, y - visibleRows_ + 1);
  if (x < leftCol_)
    ScrollTo(x, topRow_);
  else if (x > rightCol_)
    ScrollTo(x - visibleCols_, topRow_);
  caretX_ = x;
  caretY_ = y;
  const TPixelPoint p = CaretPixel();
  platform_->SetCaretPos(p.X, p.Y);
}

void TAdvancedEditor::MoveCaret(int x, int y) {
  if (x == caretX_ && y == caretY_) return;
  AddUndo(std::make_unique<TCaretUndo>(this, caretX_, caretY_));
  SetCaret(x, y);
}

// --- scrolling ---

void TAdvancedEditor::ScrollTo(int col, int row) {
  col = std::max(col, 0);
  if (col != leftCol_) {
    hScrollBar_.SetParam(TScrollParam::Position, col);
    ScrollView(false, col);
  }
  row = std::max(row, 0);
  if (row != topRow_) {
    vScrollBar_.SetParam(TScrollParam::Position, row);
    ScrollView(true, row);
  }
}

void TAdvancedEditor::ScrollView(bool vertical, int position) {
  if (updateCount_ > 0) {
    (vertical ? topRow_ : leftCol_) = position;
  } else {
    SetCaretVisible(false);
    if (vertical) {
      const int old = topRow_;
      topRow_ = position;
      const long long d = static_cast<long long>(old - position) * lineHeight_;
      if (std::llabs(d) < textHeight_) {
        const TPixelRect area{TextLeft(), 0, TextLeft() + textWidth_, (visibleRows_ + 1) * lineHeight_};
        platform_->ScrollPixels(area, static_cast<int>(d));
      } else {
        platform_->Invalidate();
      }
      platform_->UpdateNow();
    } else {
      leftCol_ = position;
      platform_->Invalidate();
    }
  }
  bottomRow_ = topRow_ + visibleRows_ - 1;
  rightCol_ = leftCol_ + visibleCols_ - 1;
  if (updateCount_ == 0) {
    PaintGutter();
    SetCaretVisible(true);
  }
}

// --- metrics and notifications ---

void TAdvancedEditor::RecalcMetrics(bool withFont, bool withGutter) {
  if (withFont) {
    const TCellSize cell = platform_->MeasureCell();
    charWidth_ = std::max(1, cell.Width);
    lineHeight_ = std::max(1, cell.Height);
  }
  textWidth_ = std::max(platform_->ClientWidth() - TextLeft(), 0);
  textHeight_ = std::max(platform_->ClientHeight(), 0);
  visibleCols_ = textWidth_ / charWidth_;
  visibleRows_ = textHeight_ / lineHeight_;
  rightCol_ = leftCol_ + visibleCols_ - 1;
  bottomRow_ = topRow_ + visibleRows_ - 1;
  hScrollBar_.CachedExtent = -1;
  vScrollBar_.CachedExtent = -1;
  vScrollBar_.SetScrollRange(lines_->RowTotal(), visibleRows_);
  hScrollBar_.SetScrollRange(WrapColumn, visibleCols_);
  if (withGutter) PaintGutter();
}

void TAdvancedEditor::LinesChanged() {
  selAvail_ = false;
  RecalcMetrics(false, true);
  if (platform_->IsShowing() && updateCount_ == 0) platform_->Invalidate();
}

void TAdvancedEditor::AttachWindow() {
  hScrollBar_.Window = platform_;
  vScrollBar_.Window = platform_;
  fullRepaint_ = true;
  hScrollBar_.ApplyInfo();
  vScrollBar_.ApplyInfo();
}

void TAdvancedEditor::Resize() {
  RecalcMetrics(true, true);
  InvalidateView();
}

void TAdvancedEditor::FontChanged() {
  RecalcMetrics(true, true);
  RehighlightAll();
}

void TAdvancedEditor::ColorChanged() { RehighlightAll(); }

void TAdvancedEditor::FocusIn() {
  platform_->CreateCaret(2, lineHeight_ - 2);
  SetCaretVisible(true);
}

void TAdvancedEditor::FocusOut() { platform_->DestroyCaret(); }

void TAdvancedEditor::SetGutterWidth(int width) {
  if (width == gutterWidth_) return;
  gutterWidth_ = std::max(width, 0);
  RecalcMetrics(true, true);
  InvalidateView();
}

void TAdvancedEditor::SetGutterColor(TColor color) {
  if (color == gutterColor_) return;
  gutterColor_ = color;
  PaintGutter();
}

void TAdvancedEditor::SetRightMarginColor(TColor color) {
  if (color == rightMarginColor_) return;
  rightMarginColor_ = color;
  InvalidateView();
}

void TAdvancedEditor::PostCommand(TEditCommand cmd) { platform_->PostCommand(cmd); }

// --- selection by extension ---

void TAdvancedEditor::ExtendSelection(int x, int y) {
  x = std::max(x, 0);
  y = std::max(y, 0);
  if (!selAvail_) {
    selAnchorX_ = selStartX_ = selEndX_ = x;
    selAnchorY_ = selStartY_ = selEndY_ = y;
    selAvail_ = true;
  } else {
    AddUndo(std::make_unique<TSelectUndo>(this, caretX_, caretY_, Selection()));
    prevSelStartX_ = selStartX_;
    selPaintTop_ = selStartY_;
    prevSelEndX_ = selEndX_;
    selPaintBottom_ = selEndY_;
    if (y <= selAnchorY_) selStartY_ = y;
    if (y >= selAnchorY_) selEndY_ = y;
    if (y < selAnchorY_ || (y == selAnchorY_ && x <= selAnchorX_)) {
      selStartX_ = x;
      selEndX_ = selAnchorX_;
      selEndY_ = selAnchorY_;
    } else {
      selStartX_ = selAnchorX_;
      selStartY_ = selAnchorY_;
      selEndX_ = x;
    }
    selStartY_ = std::max(selStartY_, 0);
    selAvail_ = true;
    if (undoGroupDepth_ == 0) RepaintSelectionDelta();
  }
  selPaintTop_ = std::min(selPaintTop_, selStartY_);
  selPaintBottom_ = std::max(selPaintBottom_, selEndY_);
}

void TAdvancedEditor::RepaintSelectionDelta() {
  if (updateCount_ > 0) return;
  if (selStartY_ != selPaintTop_ || selStartX_ != prevSelStartX_)
    DrawRows(std::min(selPaintTop_, selStartY_), std::max(selPaintTop_, selStartY_));
  if (selEndY_ != selPaintBottom_ || selEndX_ != prevSelEndX_)
    DrawRows(std::min(selPaintBottom_, selEndY_), std::max(selPaintBottom_, selEndY_));
}

void TAdvancedEditor::ClearSelection() {
  if (!selAvail_) return;
  selAvail_ = false;
  AddUndo(std::make_unique<TUnselectUndo>(this, caretX_, caretY_, Selection()));
  DrawRows(selPaintTop_, selPaintBottom_);
}

// --- offsets of the whole text ---

int TAdvancedEditor::PosToOffset(int col, int row) const {
  if (row >= lines_->RowTotal()) return lines_->TextLength();
  if (row < 0) return -1;
  const TRowPiece rp = lines_->RowToLine(row);
  const TParagraph& p = lines_->Paragraph(rp.Line);
  const int pieceLength = p.PieceEnd(rp.Piece) - p.PieceStart(rp.Piece);
  return lines_->LineOffset(rp.Line) + p.PieceStart(rp.Piece) + std::clamp(col, 0, pieceLength);
}

TRowCol TAdvancedEditor::OffsetToPos(int offset) const {
  const TAdvLines& lines = *lines_;
  if (lines.Count() == 0) return {-1, -1};
  const int line = offset < 0 ? 0 : lines.LineFromOffset(offset);
  const int lastRow = lines.RowTotal() - 1;
  if (line >= lines.Count()) return {lastRow, lines.RowLength(lastRow)};
  const int rel = offset - lines.LineOffset(line);
  if (rel > lines.LineOffset(line + 1) - lines.LineOffset(line) - 2) {
    // Inside a line break, which no caller passes: the walk over the pieces meets the
    // next line's first piece.
    if (line + 1 < lines.Count()) return {lines.FirstRow(line + 1), offset - lines.LineOffset(line + 1)};
    return {lastRow, lines.RowLength(lastRow)};
  }
  return lines.LineCharToRowCol(line, rel);
}

}  // namespace zemblo
