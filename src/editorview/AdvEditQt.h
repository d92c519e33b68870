// The editor control on screen: a Qt widget that hosts the editor engine and serves as its
// window. It translates Qt's events into the engine's calls and puts on the screen what the
// engine composed; every decision (caret, selection, scrolling, what to redraw) stays in the
// engine.
//
// The window's pixels live in `surface_`, an image of the text area that the engine draws
// into at any time (a paint, a selection drag, a scroll); Qt's paint events only copy it to
// the screen and draw the caret over it. A part of the surface that the engine was asked to
// redraw and has not yet drawn is `stale_`; a paint event asks the engine to paint exactly
// that part of what it shows.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "editor/AdvEdit.h"
#include "editorview/AEPaintQt.h"

class QTimer;
class QScrollBar;

namespace zemblo {

enum class TBorderStyle { None, Single };

class TAdvEditQt : public QAbstractScrollArea, public IAdvEditPlatform {
  Q_OBJECT
 public:
  explicit TAdvEditQt(QWidget* parent = nullptr);
  ~TAdvEditQt() override;

  TAdvancedEditor& Editor() { return *editor_; }
  const TAdvancedEditor& Editor() const { return *editor_; }
  TAdvLines& Lines() { return editor_->Lines(); }

  // What the program reads and restores of the view.
  int CaretX() const { return editor_->CaretX(); }
  int CaretY() const { return editor_->CaretY(); }
  int LeftCol() const { return editor_->LeftCol(); }
  int TopRow() const { return editor_->TopRow(); }
  void SetCaret(int x, int y) { editor_->SetCaret(x, y); }
  void MoveCaret(int x, int y) { editor_->MoveCaret(x, y); }
  void ScrollTo(int col, int row) { editor_->ScrollTo(col, row); }

  // The font of the text and its colour; cells are measured again and every line coloured
  // again, since the cached colours start from the font's.
  void SetEditorFont(const QFont& font, TColor color);
  const QFont& EditorFont() const { return painter_.Font(); }
  // The colour behind the text; every line is coloured again.
  void SetColor(TColor color);
  TColor Color() const { return editor_->Color; }
  void SetBorderStyle(TBorderStyle style);
  TBorderStyle BorderStyle() const { return borderStyle_; }

  // The clipboard requests of other controls and menus: the command runs after the request
  // returned, as the window system's cut, copy and paste messages do.
  void Cut() { PostCommand(cmdCut); }
  void Copy() { PostCommand(cmdCopy); }
  void Paste() { PostCommand(cmdPaste); }

  // IAdvEditPlatform
  int ClientWidth() override;
  int ClientHeight() override;
  bool HasFocus() override { return hasFocus(); }
  bool IsShowing() override { return isVisible(); }
  void TakeFocus() override;
  TCellSize MeasureCell() override;
  void Invalidate() override;
  void DrawRow(const TRowImage& row) override;
  void DrawGutter(const TGutterImage& gutter) override;
  void ScrollPixels(const TPixelRect& area, int dy) override;
  void UpdateNow() override;
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void SetCaretPos(int x, int y) override;
  void ShowCaret() override;
  void HideCaret() override;
  void SetScrollBar(TScrollBarKind kind, int min, int max, int page, int pos) override;
  int ScrollTrackPos(TScrollBarKind kind) override;
  void PostCommand(TEditCommand cmd) override;
  void SetAutoScrollTimer(bool running) override;
  void SetMouseCapture(bool captured) override { captured_ = captured; }
  void SetCursor(TCursorShape shape) override;
  int WheelScrollLines() override;
  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  void Beep() override;

  // Told the message of a command that failed inside an event; when empty, the message is
  // shown in a message box once the event has returned.
  std::function<void(const std::string& message)> OnError;

  // For tests and benchmarks: the text area as the engine last drew it, without the caret.
  const QImage& Surface() const { return surface_; }
  bool MouseCaptured() const { return captured_; }
  bool AutoScrollRunning() const;

 protected:
  // For editors that extend the engine (their own notifications); never null.
  TAdvEditQt(QWidget* parent, std::unique_ptr<TAdvancedEditor> editor);

  bool event(QEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void Init();
  // Runs an engine call from an event handler: a failure is reported, never thrown through
  // Qt's event loop.
  template <class F>
  void Guard(F&& f) {
    try {
      f();
    } catch (const std::exception& e) {
      ReportError(e.what());
    }
  }
  void ReportError(const std::string& message);
  // A scroll bar moved by the user: its action in the window system's scroll codes.
  void ScrollBarAction(bool vertical, int action);
  void ScrollBarValueChanged(bool vertical, int value);
  // Makes the surface as large as the text area; its old pixels are not kept.
  void ResizeSurface();
  QRect CaretRect() const;
  void UpdateCaret();
  void BlinkCaret();

  std::unique_ptr<TAdvancedEditor> editor_;
  TRowPainter painter_;
  TBorderStyle borderStyle_ = TBorderStyle::Single;

  QImage surface_;
  // Parts of the surface the engine must draw before they are shown.
  QRegion stale_;
  // Inside paintEvent: rows the engine draws are shown by this paint, not a later one.
  bool painting_ = false;

  // The caret: created with the focus, shown when the engine says so, blinking.
  bool caretCreated_ = false;
  bool caretShown_ = false;
  bool caretBlinkOn_ = true;
  QSize caretSize_;
  QPoint caretPos_;
  QTimer* caretTimer_ = nullptr;

  QTimer* autoScrollTimer_ = nullptr;
  bool captured_ = false;
  // The buttons held as the view's own mouse reports last told (the application's figure
  // knows only the window system's reports).
  Qt::MouseButtons buttonsHeld_;
  TCursorShape cursor_ = TCursorShape::IBeam;
  // Wheel deltas of less than a notch (touch pads) add up until they make one.
  int wheelRest_ = 0;
  // The engine is setting a scroll bar: its signals are not the user's.
  bool settingBar_ = false;
};

}  // namespace zemblo
