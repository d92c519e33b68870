// The editor control's engine: text, history, caret, selection, commands, key table and
// every view figure (cell size, visible rows and columns, scroll positions, scroll bar
// models), with no window system. It reaches the screen only through IAdvEditPlatform.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "editor/AECmd.h"
#include "editor/AEFuncs.h"
#include "editor/AEKeys.h"
#include "editor/AEPlatform.h"
#include "editor/AESB.h"
#include "editor/AdvLines.h"
#include "editor/CharAttr.h"
#include "editor/UndoBuffer.h"
#include "platform/Errors.h"

namespace zemblo {

class EAdvEditError : public Exception {
 public:
  using Exception::Exception;
};

// Ends a command early, without a message: the command has placed the caret itself or run
// other commands, each in its own frame.
class EComplete : public Exception {
 public:
  EComplete() : Exception("") {}
};

// Default colours, standing in for the desktop scheme until the platform sets its own.
inline constexpr TColor kDefaultWindowColor = RGB(255, 255, 255);
inline constexpr TColor kDefaultWindowTextColor = RGB(0, 0, 0);
inline constexpr TColor kDefaultHighlightColor = RGB(0, 120, 215);
inline constexpr TColor kDefaultHighlightTextColor = RGB(255, 255, 255);
inline constexpr TColor kDefaultButtonFaceColor = RGB(240, 240, 240);

class TAdvancedEditor {
 public:
  explicit TAdvancedEditor(IAdvEditPlatform* platform = nullptr);
  virtual ~TAdvancedEditor();
  TAdvancedEditor(const TAdvancedEditor&) = delete;
  TAdvancedEditor& operator=(const TAdvancedEditor&) = delete;

  // --- owned objects ---
  TAdvLines& Lines() { return *lines_; }
  const TAdvLines& Lines() const { return *lines_; }
  TUndoBuffer& UndoBuffer() { return *undo_; }
  TKeyboard& Keyboard() { return keyboard_; }
  IAdvEditPlatform& Platform() { return *platform_; }
  // nullptr puts back the built-in platform without a window.
  void SetPlatform(IAdvEditPlatform* platform);

  // --- text-side state ---
  int CaretX() const { return caretX_; }
  int CaretY() const { return caretY_; }
  bool SelAvail() const { return selAvail_; }
  int SelStartX() const { return selStartX_; }
  int SelStartY() const { return selStartY_; }
  int SelEndX() const { return selEndX_; }
  int SelEndY() const { return selEndY_; }
  int SelAnchorX() const { return selAnchorX_; }
  int SelAnchorY() const { return selAnchorY_; }
  TSelectionState Selection() const { return {selStartX_, selStartY_, selEndX_, selEndY_}; }
  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool on) { insertMode_ = on; }
  int UpdateCount() const { return updateCount_; }
  int UndoGroupDepth() const { return undoGroupDepth_; }
  int MaxLineLength() const { return maxLineLength_; }
  int CaretCharIndex() const { return caretCharIndex_; }
  int CaretLineIndex() const { return caretLineIndex_; }

  // --- view figures ---
  int CharWidth() const { return charWidth_; }
  int LineHeight() const { return lineHeight_; }
  int VisibleCols() const { return visibleCols_; }
  int VisibleRows() const { return visibleRows_; }
  int LeftCol() const { return leftCol_; }
  int TopRow() const { return topRow_; }
  int RightCol() const { return rightCol_; }
  int BottomRow() const { return bottomRow_; }
  int TextLeft() const { return gutterWidth_ + 2; }
  int TextWidth() const { return textWidth_; }
  int TextHeight() const { return textHeight_; }
  bool FullRepaint() const { return fullRepaint_; }
  TAdvEditScrollBar& HScrollBar() { return hScrollBar_; }
  TAdvEditScrollBar& VScrollBar() { return vScrollBar_; }

  // --- visual settings (the platform fills the desktop's colours in) ---
  TColor Color = kDefaultWindowColor;  // the control colour, behind the text
  TColor FontColor = kDefaultWindowTextColor;
  uint8_t FontStyle = 0;  // TFontStyleBits of the editor font
  TColor SelectionColor = kDefaultHighlightColor;
  TColor SelectionTextColor = kDefaultHighlightTextColor;
  bool RightMarginVisible = true;
  int GutterWidth() const { return gutterWidth_; }
  void SetGutterWidth(int width);
  TColor GutterColor() const { return gutterColor_; }
  void SetGutterColor(TColor color);
  TColor RightMarginColor() const { return rightMarginColor_; }
  void SetRightMarginColor(TColor color);
  // The colouring hook; never owns its target.
  THighlightLineEvent OnHighlightLine;

  // --- commands ---
  // Codes 0 to 255 are characters, 257 and up commands; anything else does nothing.
  virtual void ExecuteCommand(TEditCommand cmd);
  void PostCommand(TEditCommand cmd);
  // The platform's posted-command message arrived: runs the command in its low 16 bits.
  void HandlePostedCommand(uintptr_t wparam) { ExecuteCommand(static_cast<TEditCommand>(wparam & 0xFFFF)); }
  void PrepareEdit();

  // --- caret and view ---
  void SetCaret(int x, int y);
  // SetCaret with the old position recorded for undo when it changes.
  void MoveCaret(int x, int y);
  void ScrollTo(int col, int row);
  void ScrollView(bool vertical, int position);
  void SetCaretVisible(bool show);
  void RecalcMetrics(bool withFont, bool withGutter);
  // Notifications: after every text change; after the line store changed outside an
  // update lock.
  virtual void Change() {}
  virtual void LinesChanged();
  // The window exists: scroll bars attach to it and the first paint draws everything.
  void AttachWindow();
  void Resize();
  // The editor font changed (the platform measures it again) or the control colour did.
  void FontChanged();
  void ColorChanged();
  void FocusIn();
  void FocusOut();
  // Where the system caret stands for the current caret (pixels).
  TPixelPoint CaretPixel() const;

  // --- selection and clipboard ---
  void ExtendSelection(int x, int y);
  void ClearSelection();
  void RepaintSelectionDelta();
  std::string SelectedText();
  void DeleteSelection();
  void InsertAtCaret(std::string_view text);
  void InsertText(std::string_view text);
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  // --- coordinates of the whole text ---
  int PosToOffset(int col, int row) const;
  // (column, row) of an offset; for a store without text (-1, -1).
  TRowCol OffsetToPos(int offset) const;

  // --- painting ---
  void Paint(const TPixelRect& clip);
  void DrawRow(int row, int fromCol, int toCol);
  virtual void PrepareRow(int line, int row, const std::string& text, int rowLength, int offset);
  void MarkSelection(int row, int rowLength, int offset);
  void PaintGutter();
  void RehighlightAll();
  // A view-relative cell.
  TPixelRect CellRect(int col, int row) const;
  const TSelAttrs& SelFlags() const { return selFlags_; }
  int AttrLength() const { return attrLength_; }

  // --- input from the platform ---
  // Runs the key's binding; true when one ran (the key is then set to 0).
  bool KeyDown(uint16_t& key, TShiftState shift);
  void KeyPress(unsigned char c);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp();
  void DoubleClick();
  void MouseWheel(int delta);
  void AutoScrollStep();
  TRowCol PixelToCell(int x, int y) const;
  TRowCol PointToCell(int x, int y) const;
  void HandleScroll(bool vertical, int code) { (vertical ? vScrollBar_ : hScrollBar_).HandleScroll(code); }

 private:
  friend class TAdvLines;
  friend class TUndoBuffer;
  friend class TUndo;
  friend class TCaretUndo;
  friend class TInsertUndo;
  friend class TDeleteUndo;
  friend class TBackspaceUndo;
  friend class TDeleteSelectedUndo;
  friend class TOverwriteUndo;
  friend class TSelectUndo;
  friend class TIndentUndo;
  // Raises the update count for its lifetime. With `repaint`, releasing it is the update
  // lock's release (a full repaint when the count returns to 0); otherwise the count only
  // keeps the line store from running LinesChanged meanwhile.
  class TUpdateLock {
   public:
    TUpdateLock(TAdvancedEditor& editor, bool repaint) : editor_(editor), repaint_(repaint) { ++editor_.updateCount_; }
    ~TUpdateLock() {
      if (repaint_)
        editor_.EndUpdateLock();
      else if (editor_.updateCount_ > 0)
        --editor_.updateCount_;
    }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

   private:
    TAdvancedEditor& editor_;
    bool repaint_;
  };

  std::unique_ptr<TAdvLines> lines_;
  TKeyboard keyboard_;
  std::unique_ptr<TUndoBuffer> undo_;
  TNullAdvEditPlatform nullPlatform_;
  IAdvEditPlatform* platform_;

  int caretX_ = 0;
  int caretY_ = 0;
  bool selAvail_ = false;
  // Start never lies after end in text order; end is exclusive.
  int selStartX_ = 0;
  int selStartY_ = 0;
  int selEndX_ = 0;
  int selEndY_ = 0;
  // The end that stays fixed while the selection is extended.
  int selAnchorX_ = 0;
  int selAnchorY_ = 0;
  bool insertMode_ = true;
  int updateCount_ = 0;
  int undoGroupDepth_ = 0;
  // Column capacity: the caret column is limited to it; raised past the longest line stored.
  int maxLineLength_ = 512;
  int caretCharIndex_ = 0;
  int caretLineIndex_ = 0;

  // The running command's working position; RecordMove false when the command recorded
  // its own undo and the final placement must not be recorded again.
  int wx_ = 0;
  int wy_ = 0;
  bool recordMove_ = true;

  int charWidth_ = 1;
  int lineHeight_ = 1;
  int visibleCols_ = 0;
  int visibleRows_ = 0;
  int leftCol_ = 0;
  int topRow_ = 0;
  int rightCol_ = -1;
  int bottomRow_ = -1;
  int textWidth_ = 0;
  int textHeight_ = 0;
  bool fullRepaint_ = false;
  TAdvEditScrollBar hScrollBar_;
  TAdvEditScrollBar vScrollBar_;
  int caretHideDepth_ = 0;

  int gutterWidth_ = 0;
  TColor gutterColor_ = kDefaultButtonFaceColor;
  TColor rightMarginColor_ = RGB(192, 192, 192);

  int prevSelStartX_ = 0;
  int prevSelEndX_ = 0;
  int selPaintTop_ = 0;
  int selPaintBottom_ = 0;
  // Invariant: every cell of selFlags_ outside markedFrom_ .. markedTo_ is 0.
  TSelAttrs selFlags_;
  int attrLength_ = 0;
  int markedFrom_ = 0;
  int markedTo_ = -1;
  TRowImage rowImage_;
  // The text of the line last drawn, with and without the end-of-line marker, as of the
  // line store's version preparedVersion_.
  int preparedLine_ = -1;
  unsigned preparedVersion_ = 0;
  std::string preparedText_;
  std::string preparedMarked_;

  bool keyHandled_ = false;
  int lastMouseX_ = 0;
  int lastMouseY_ = 0;
  int mouseCol_ = 0;
  int mouseRow_ = 0;
  bool mouseSelecting_ = false;
  bool mouseMoved_ = false;
  bool skipNextMouseDown_ = false;

  // --- helpers ---
  void RaiseMaxLineLength(int length);
  // Invalidates the whole control unless the update lock is held.
  void InvalidateView();
  // Releases one level of the update lock; at 0 the view is redrawn in full.
  void EndUpdateLock();
  void AddUndo(std::unique_ptr<TUndo> record);
  void BeginGroup();
  void EndGroup();
  // LineOffset of (x, y)'s logical line plus its char index; the column is not limited to
  // the row. A row past the end gives the text's length.
  int OffsetOfCell(int x, int y) const;
  void RestoreSelection(const TSelectionState& selection, bool avail);
  int LastRow() const { return std::max(lines_->RowTotal(), 1) - 1; }
  void UpdateLineIndexes();
  void PlaceAtLineChar();
  void RefreshLine(int line, int oldRowCount);
  void RefreshDown(int line);
  void DrawRows(int from, int to);
  void RunGrouped(std::initializer_list<TEditCommand> commands);
  void RunCommandBody(TEditCommand cmd);
  // Editing the logical line of the caret; the store's update count is raised around it.
  void ReplaceInLine(int line, int at, int count, std::string_view text);

  // Caret movement and selection.
  void CmdHorizontal(TEditCommand cmd);
  void CmdVertical(TEditCommand cmd);
  void CmdWordLeft(TEditCommand cmd);
  void CmdWordRight(TEditCommand cmd);
  void CmdPage(TEditCommand cmd);
  void CmdLineEnds(TEditCommand cmd);
  void CmdScroll(TEditCommand cmd);
  void BeginSelect(bool shifted);
  void FinishSelect(bool shifted);

  // Typing and text-changing commands.
  void CmdCharacter(unsigned char c);
  void CmdLineBreak();
  void DeleteSelectedText();
  void CmdBackspace();
  void CmdDelete();
  void CmdTab();
  void CmdDeleteLine();
  void CmdDeleteWord();
  void CmdDeleteWordLeft();
  void CmdBlockIndent();
  void PrepareAtCaret();
  // Joins line + 1 to `line` as one undo group; the working position goes to the join.
  void JoinLines(int line);
  int AutoIndentColumn(int line) const;
  int UnindentTarget(int x, int y) const;
  int SmartTabColumn(int x, int y) const;
};

}  // namespace zemblo
