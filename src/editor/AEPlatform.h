// The one door between the editor engine and the window system. The engine keeps every
// piece of state (text, caret, selection, metrics, scroll positions) and decides what is
// drawn; a platform class only measures, draws what it is given, and passes on the
// window system's services. The Qt widget implements it; tests use a recording fake.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/AECmd.h"
#include "editor/CharAttr.h"
#include "platform/Color.h"

namespace zemblo {

struct TCellSize {
  int Width = 0;
  int Height = 0;
};

struct TPixelPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPixelPoint&) const = default;
};

// Left, top inclusive; right, bottom exclusive; client pixels.
struct TPixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TPixelRect&) const = default;
};

enum class TScrollBarKind { Horizontal, Vertical };
enum class TCursorShape { Arrow, IBeam };
enum class TMouseButton { Left, Right, Middle };

// Characters of one look, drawn from pixel X on, one cell of CharWidth each.
struct TRowRun {
  int X = 0;
  std::string Text;
  TCharAttr Attr;
  // The run's background differs from the control colour and is filled first.
  bool FillBackground = false;
};

// One display row, composed: fill the text area's strip (from Left, Width wide, the
// row's height) with Background, draw the runs, then the margin line (when MarginX >= 0,
// one pixel wide, the row's full height); then copy the strip from CopyLeft, CopyWidth
// wide, to window row Y. Every pixel of the strip is covered.
struct TRowImage {
  int Row = 0;
  int Y = 0;
  int Left = 0;
  int Width = 0;
  TColor Background = 0;
  std::vector<TRowRun> Runs;
  int MarginX = -1;
  TColor MarginColor = 0;
  int CopyLeft = 0;
  int CopyWidth = 0;
};

// The strip left of the text: Width pixels filled with Fill; when Width > 2 a line of
// EdgeInner at x = Width - 2 and one of EdgeOuter at x = Width - 1, full height.
struct TGutterImage {
  int Width = 0;
  int Height = 0;
  TColor Fill = 0;
  bool HasEdge = false;
  TColor EdgeInner = 0;
  TColor EdgeOuter = 0;
};

class IAdvEditPlatform {
 public:
  virtual ~IAdvEditPlatform() = default;

  // The control's client area and focus.
  virtual int ClientWidth() = 0;
  virtual int ClientHeight() = 0;
  virtual bool HasFocus() = 0;
  virtual bool IsShowing() = 0;
  virtual void TakeFocus() = 0;

  // The cell of the editor font: the width and height of "W" in bold italic. The
  // platform also sizes its one-row bitmap and its gutter bitmap here.
  virtual TCellSize MeasureCell() = 0;

  // Drawing. DrawRow and DrawGutter put the pixels on the window at once.
  virtual void Invalidate() = 0;
  virtual void DrawRow(const TRowImage& row) = 0;
  virtual void DrawGutter(const TGutterImage& gutter) = 0;
  // Moves the pixels of `area` by dy vertically, clipped to `area`, and invalidates
  // (without erasing) the part the move uncovered.
  virtual void ScrollPixels(const TPixelRect& area, int dy) = 0;
  // Paints what is invalid now instead of later.
  virtual void UpdateNow() = 0;

  // The system caret: created on focus gain, destroyed on focus loss.
  virtual void CreateCaret(int width, int height) = 0;
  virtual void DestroyCaret() = 0;
  virtual void SetCaretPos(int x, int y) = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;

  // A window scroll bar: range, page, position; shown disabled when nothing scrolls.
  virtual void SetScrollBar(TScrollBarKind kind, int min, int max, int page, int pos) = 0;
  // The thumb's track position while it is dragged or just released.
  virtual int ScrollTrackPos(TScrollBarKind kind) = 0;

  // Runs ExecuteCommand(cmd) later, from the event loop (HandlePostedCommand).
  virtual void PostCommand(TEditCommand cmd) = 0;
  // The 100 ms drag auto-scroll timer; each tick calls AutoScrollStep.
  virtual void SetAutoScrollTimer(bool running) = 0;
  virtual void SetMouseCapture(bool captured) = 0;
  virtual void SetCursor(TCursorShape shape) = 0;
  // The system setting: rows per wheel notch.
  virtual int WheelScrollLines() = 0;

  // The clipboard as ANSI text ("" when it holds no text).
  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual void Beep() = 0;
};

// A platform with no window: nothing is shown, posted commands are dropped, the
// clipboard is private. The client size and cell are settable so that the engine's
// arithmetic can run headless (benchmarks, tools).
class TNullAdvEditPlatform : public IAdvEditPlatform {
 public:
  int Width = 0;
  int Height = 0;
  TCellSize Cell{8, 16};
  std::string Clipboard;

  int ClientWidth() override { return Width; }
  int ClientHeight() override { return Height; }
  bool HasFocus() override { return false; }
  bool IsShowing() override { return false; }
  void TakeFocus() override {}
  TCellSize MeasureCell() override { return Cell; }
  void Invalidate() override {}
  void DrawRow(const TRowImage&) override {}
  void DrawGutter(const TGutterImage&) override {}
  void ScrollPixels(const TPixelRect&, int) override {}
  void UpdateNow() override {}
  void CreateCaret(int, int) override {}
  void DestroyCaret() override {}
  void SetCaretPos(int, int) override {}
  void ShowCaret() override {}
  void HideCaret() override {}
  void SetScrollBar(TScrollBarKind, int, int, int, int) override {}
  int ScrollTrackPos(TScrollBarKind) override { return 0; }
  void PostCommand(TEditCommand) override {}
  void SetAutoScrollTimer(bool) override {}
  void SetMouseCapture(bool) override {}
  void SetCursor(TCursorShape) override {}
  int WheelScrollLines() override { return 3; }
  std::string ClipboardText() override { return Clipboard; }
  void SetClipboardText(const std::string& text) override { Clipboard = text; }
  void Beep() override {}
};

}  // namespace zemblo
