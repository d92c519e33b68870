// Puts the rows and the gutter that the editor engine composed onto an image: runs of one
// look with every character in its own cell, whatever the glyph's own advance.
#pragma once

#include "platform/qt/QtColor.h"

#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <array>
#include <cstdint>
#include <vector>

#include "editor/AEPlatform.h"

class QPainter;

namespace zemblo {


class TRowPainter {
 public:
  // The font of the text; its own style is the base, the cells' styles replace it.
  void SetFont(const QFont& font);
  const QFont& Font() const { return font_; }
  // The cell: width and height of "W" in bold italic, so that every style fits it.
  TCellSize MeasureCell() const;

  // Fills the row's strip, draws its runs and its margin line, all clipped to the strip
  // (CopyLeft, Y, CopyWidth, lineHeight): a glyph that overhangs its cell never reaches a
  // neighbouring row.
  void DrawRow(QPainter& p, const TRowImage& row, int charWidth, int lineHeight);
  static void DrawGutter(QPainter& p, const TGutterImage& gutter);

 private:
  // One face per style (TFontStyleBits: bold, italic; underline and strike-out are drawn
  // with the run), with the glyph of every byte looked up once.
  struct TFace {
    bool Ready = false;
    QRawFont Raw;
    int Ascent = 0;
    std::array<quint32, 256> Glyphs{};
  };
  TFace& Face(uint8_t style);

  QFont font_;
  std::array<TFace, 4> faces_;
  // Reused by every run.
  std::vector<quint32> glyphs_;
  std::vector<QPointF> positions_;
};

}  // namespace zemblo
