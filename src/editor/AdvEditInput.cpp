// Keys, mouse, wheel and the drag auto-scroll, as the platform reports them.
#include <algorithm>
#include <cmath>

#include "editor/AdvEdit.h"

namespace zemblo {

bool TAdvancedEditor::KeyDown(uint16_t& key, TShiftState shift) {
  const TEditCommand cmd = keyboard_.Lookup(key, shift);
  keyHandled_ = cmd != 0;
  if (cmd != 0) {
    key = 0;
    ExecuteCommand(cmd);
  }
  return cmd != 0;
}

void TAdvancedEditor::KeyPress(unsigned char c) {
  // The character message that follows a bound key is swallowed.
  if (keyHandled_) {
    keyHandled_ = false;
    return;
  }
  SetCaretVisible(false);
  struct TShow {
    TAdvancedEditor& e;
    ~TShow() { e.SetCaretVisible(true); }
  } show{*this};
  ExecuteCommand(c);
}

TRowCol TAdvancedEditor::PixelToCell(int x, int y) const {
  // Nearest column, halves to even: a click in a cell's right half means the column after.
  const int col = static_cast<int>(std::nearbyint(static_cast<double>(x - TextLeft()) / charWidth_));
  return {y / lineHeight_, col};
}

TRowCol TAdvancedEditor::PointToCell(int x, int y) const {
  TRowCol c = PixelToCell(x, y);
  c.Col = std::max(c.Col, 0) + leftCol_;
  c.Row = std::max(c.Row, 0) + topRow_;
  c.Col = std::min(c.Col, rightCol_);
  c.Row = std::min(c.Row, lines_->RowTotal() - 1);
  return c;
}

void TAdvancedEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (skipNextMouseDown_) {
    skipNextMouseDown_ = false;
    return;
  }
  mouseSelecting_ = true;
  platform_->SetMouseCapture(true);
  mouseMoved_ = false;
  const TRowCol cell = PointToCell(x, y);
  SetCaretVisible(false);
  struct TShow {
    TAdvancedEditor& e;
    ~TShow() { e.SetCaretVisible(true); }
  } show{*this};
  const bool shifted = (shift & ssShift) != 0;
  if (button == TMouseButton::Left && !shifted) ClearSelection();
  platform_->TakeFocus();
  if (cell.Row >= 0 && cell.Row < lines_->RowTotal()) {
    if (shifted && SelectedText().empty()) ExtendSelection(caretX_, caretY_);
    MoveCaret(cell.Col, cell.Row);
    if (shifted) ExtendSelection(cell.Col, cell.Row);
  }
}

void TAdvancedEditor::MouseMove(TShiftState shift, int x, int y) {
  lastMouseX_ = x;
  lastMouseY_ = y;
  const TRowCol cell = PointToCell(x, y);
  mouseCol_ = cell.Col;
  mouseRow_ = cell.Row;
  platform_->SetCursor(x < gutterWidth_ ? TCursorShape::Arrow : TCursorShape::IBeam);
  if (shift != ssLeft || !mouseSelecting_) return;
  mouseMoved_ = true;
  platform_->SetCursor(TCursorShape::IBeam);
  SetCaretVisible(false);
  struct TShow {
    TAdvancedEditor& e;
    ~TShow() { e.SetCaretVisible(true); }
  } show{*this};
  if (mouseRow_ <= bottomRow_) {
    // The selection starts where the button went down (the caret the press placed), even
    // when the first move report arrives cells away from it.
    if (!selAvail_) ExtendSelection(caretX_, caretY_);
    ExtendSelection(mouseCol_, mouseRow_);
    MoveCaret(mouseCol_, mouseRow_);
  }
  const bool outside = x < 0 || x > platform_->ClientWidth() || y < 0 || y > platform_->ClientHeight();
  platform_->SetAutoScrollTimer(outside);
}

void TAdvancedEditor::MouseUp() {
  platform_->SetAutoScrollTimer(false);
  mouseSelecting_ = false;
  platform_->SetMouseCapture(false);
}

void TAdvancedEditor::DoubleClick() {
  skipNextMouseDown_ = true;
  if (caretY_ < 0 || caretY_ >= lines_->RowTotal()) return;
  const std::string s = lines_->RowText(caretY_) + ' ';
  const int n = static_cast<int>(s.size());
  const int i = caretX_;
  if (i >= n) return;
  auto delim = [&](int k) { return k < 0 || k >= n || IsWordDelimiter(s[k]); };
  int j = i;
  if (delim(i)) j = delim(i - 1) ? i + 1 : i - 1;
  while (!delim(j)) --j;
  const int start = j + 1;
  int end = i;
  while (!delim(end)) ++end;
  SetCaretVisible(false);
  struct TShow {
    TAdvancedEditor& e;
    ~TShow() { e.SetCaretVisible(true); }
  } show{*this};
  const int y = caretY_;
  ExtendSelection(start, y);
  ExtendSelection(end, y);
  MoveCaret(end, y);
}

void TAdvancedEditor::MouseWheel(int delta) {
  const int n = platform_->WheelScrollLines();
  vScrollBar_.SetParam(TScrollParam::Position, vScrollBar_.Position + (delta <= 0 ? n : -n));
  ScrollView(true, vScrollBar_.Position);
}

namespace {

int EdgeStep(int v, int extent, int big) {
  if (v < -20) return -big;
  if (v < 0) return -1;
  if (v > extent + 20) return big;
  if (v > extent) return 1;
  return 0;
}

}  // namespace

void TAdvancedEditor::AutoScrollStep() {
  const int w = platform_->ClientWidth();
  const int h = platform_->ClientHeight();
  if (lastMouseY_ >= 0 && lastMouseY_ <= h && lastMouseX_ >= 0 && lastMouseX_ <= w) return;
  // The accumulated cell stays within the text: a selection end on a row past the last
  // one would make the selection unreadable (no text to copy, an error on Tab).
  mouseRow_ = std::clamp(mouseRow_ + EdgeStep(lastMouseY_, h, visibleRows_), 0, LastRow());
  mouseCol_ = std::clamp(mouseCol_ + EdgeStep(lastMouseX_, w, visibleCols_ / 2), 0, maxLineLength_);
  SetCaretVisible(false);
  struct TShow {
    TAdvancedEditor& e;
    ~TShow() { e.SetCaretVisible(true); }
  } show{*this};
  // A drag that left the window at once, before any move inside it extended the
  // selection, still selects from where the button went down.
  if (!selAvail_) ExtendSelection(caretX_, caretY_);
  ExtendSelection(mouseCol_, mouseRow_);
  MoveCaret(mouseCol_, mouseRow_);
}

}  // namespace zemblo
