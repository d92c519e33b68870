// A recording platform for the editor engine: a fixed cell, a settable client size, and a
// record of what the engine asked the window system to do.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "editor/AdvEdit.h"

namespace zemblo {
inline void PrintTo(const TRowCol& p, std::ostream* os) { *os << "(row " << p.Row << ", col " << p.Col << ")"; }
inline void PrintTo(const TLineChar& p, std::ostream* os) { *os << "(char " << p.Char << ", line " << p.Line << ")"; }
}  // namespace zemblo

namespace zemblo::test {

class TFakePlatform : public IAdvEditPlatform {
 public:
  int Width = 1002;  // 100 columns of 10 pixels after the 2-pixel edge
  int Height = 400;  // 20 rows of 20 pixels
  TCellSize Cell{10, 20};
  bool Focus = false;
  bool Showing = true;
  std::string Clipboard;
  std::vector<TEditCommand> Posted;
  int Beeps = 0;
  int Invalidations = 0;
  int Updates = 0;
  std::vector<TRowImage> Rows;
  std::vector<TGutterImage> Gutters;
  std::vector<std::pair<TPixelRect, int>> Scrolls;
  struct TBar {
    int Min = 0, Max = 0, Page = 0, Pos = 0;
  } Bars[2];
  int TrackPos = 0;
  TPixelPoint CaretPos{-1, -1};
  bool CaretShown = false;
  TCellSize CaretSize;
  bool Captured = false;
  bool TimerRunning = false;
  TCursorShape Cursor = TCursorShape::IBeam;
  int WheelLines = 3;
  int FocusRequests = 0;

  int ClientWidth() override { return Width; }
  int ClientHeight() override { return Height; }
  bool HasFocus() override { return Focus; }
  bool IsShowing() override { return Showing; }
  void TakeFocus() override { ++FocusRequests; }
  TCellSize MeasureCell() override { return Cell; }
  void Invalidate() override { ++Invalidations; }
  void DrawRow(const TRowImage& row) override { Rows.push_back(row); }
  void DrawGutter(const TGutterImage& gutter) override { Gutters.push_back(gutter); }
  void ScrollPixels(const TPixelRect& area, int dy) override { Scrolls.emplace_back(area, dy); }
  void UpdateNow() override { ++Updates; }
  void CreateCaret(int width, int height) override { CaretSize = {width, height}; }
  void DestroyCaret() override { CaretShown = false; }
  void SetCaretPos(int x, int y) override { CaretPos = {x, y}; }
  void ShowCaret() override { CaretShown = true; }
  void HideCaret() override { CaretShown = false; }
  void SetScrollBar(TScrollBarKind kind, int min, int max, int page, int pos) override {
    Bars[kind == TScrollBarKind::Vertical] = {min, max, page, pos};
  }
  int ScrollTrackPos(TScrollBarKind) override { return TrackPos; }
  void PostCommand(TEditCommand cmd) override { Posted.push_back(cmd); }
  void SetAutoScrollTimer(bool running) override { TimerRunning = running; }
  void SetMouseCapture(bool captured) override { Captured = captured; }
  void SetCursor(TCursorShape shape) override { Cursor = shape; }
  int WheelScrollLines() override { return WheelLines; }
  std::string ClipboardText() override { return Clipboard; }
  void SetClipboardText(const std::string& text) override { Clipboard = text; }
  void Beep() override { ++Beeps; }
};

// An editor on the fake, its window attached and sized: 100 visible columns, 20 rows.
struct TEditorRig {
  TFakePlatform platform;
  TAdvancedEditor editor{&platform};

  TEditorRig() {
    editor.AttachWindow();
    editor.Resize();
  }
  explicit TEditorRig(const std::string& text) : TEditorRig() { editor.Lines().SetText(text); }

  TAdvLines& Lines() { return editor.Lines(); }
  // The logical lines joined by "|".
  std::string Text() const {
    std::string s;
    for (int i = 0; i < editor.Lines().Count(); ++i) {
      if (i) s += '|';
      s += editor.Lines().Get(i);
    }
    return s;
  }
  void Run(std::initializer_list<TEditCommand> commands) {
    for (TEditCommand c : commands) editor.ExecuteCommand(c);
  }
  void Type(const std::string& chars) {
    for (unsigned char c : chars) editor.ExecuteCommand(c);
  }
  // Runs what was posted, as the event loop would.
  void RunPosted() {
    std::vector<TEditCommand> posted;
    posted.swap(platform.Posted);
    for (TEditCommand c : posted) editor.HandlePostedCommand(c);
  }
  void Undo(int times = 1) {
    for (int i = 0; i < times; ++i) editor.ExecuteCommand(cmdUndo);
  }
  void Caret(int x, int y) { editor.SetCaret(x, y); }
  TRowCol CaretPos() const { return {editor.CaretY(), editor.CaretX()}; }
};

// "row 0" to "row n-1", each ending in CR LF.
inline std::string NumberedRows(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "row " + std::to_string(i) + "\r\n";
  return s;
}

}  // namespace zemblo::test
