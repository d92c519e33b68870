#include "editorview/AEPaintQt.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>

#include "platform/qt/AnsiText.h"
#include "platform/qt/QtColor.h"

namespace zemblo {

void TRowPainter::SetFont(const QFont& font) {
  font_ = font;
  for (TFace& f : faces_) f.Ready = false;
}

TCellSize TRowPainter::MeasureCell() const {
  QFont f = font_;
  f.setBold(true);
  f.setItalic(true);
  const QFontMetrics m(f);
  return {m.horizontalAdvance(QLatin1Char('W')), m.height()};
}

TRowPainter::TFace& TRowPainter::Face(uint8_t style) {
  TFace& face = faces_[style & (fsBold | fsItalic)];
  if (face.Ready) return face;
  QFont f = font_;
  f.setBold(style & fsBold);
  f.setItalic(style & fsItalic);
  f.setUnderline(false);
  f.setStrikeOut(false);
  face.Raw = QRawFont::fromFont(f);
  face.Ascent = QFontMetrics(f).ascent();
  for (int b = 0; b < 256; ++b) {
    const QChar c = AnsiChar(static_cast<unsigned char>(b));
    int n = 1;
    quint32 glyph = 0;
    if (!face.Raw.glyphIndexesForChars(&c, 1, &glyph, &n) || n != 1) glyph = 0;
    face.Glyphs[static_cast<size_t>(b)] = glyph;
  }
  face.Ready = true;
  return face;
}

void TRowPainter::DrawRow(QPainter& p, const TRowImage& row, int charWidth, int lineHeight) {
  p.save();
  p.setClipRect(QRect(row.CopyLeft, row.Y, row.CopyWidth, lineHeight));
  p.fillRect(QRect(row.Left, row.Y, row.Width, lineHeight), ToQtColor(row.Background));
  for (const TRowRun& run : row.Runs) {
    const int n = static_cast<int>(run.Text.size());
    // The cells of a run always show its background, also where the row behind it is
    // painted in the selection colour (a row whose line end is selected).
    if (run.Attr.BkColor != row.Background)
      p.fillRect(QRect(run.X, row.Y, n * charWidth, lineHeight), ToQtColor(run.Attr.BkColor));
    TFace& face = Face(run.Attr.Style);
    glyphs_.resize(static_cast<size_t>(n));
    positions_.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      glyphs_[static_cast<size_t>(i)] = face.Glyphs[static_cast<unsigned char>(run.Text[static_cast<size_t>(i)])];
      positions_[static_cast<size_t>(i)] = QPointF(i * charWidth, 0);
    }
    QGlyphRun glyphs;
    glyphs.setRawFont(face.Raw);
    glyphs.setRawData(glyphs_.data(), positions_.data(), n);
    glyphs.setUnderline(run.Attr.Style & fsUnderline);
    glyphs.setStrikeOut(run.Attr.Style & fsStrikeOut);
    p.setPen(ToQtColor(run.Attr.Color));
    p.drawGlyphRun(QPointF(run.X, row.Y + face.Ascent), glyphs);
  }
  if (row.MarginX >= 0) p.fillRect(QRect(row.MarginX, row.Y, 1, lineHeight), ToQtColor(row.MarginColor));
  p.restore();
}

void TRowPainter::DrawGutter(QPainter& p, const TGutterImage& g) {
  p.fillRect(QRect(0, 0, g.Width, g.Height), ToQtColor(g.Fill));
  if (!g.HasEdge) return;
  p.fillRect(QRect(g.Width - 2, 0, 1, g.Height), ToQtColor(g.EdgeInner));
  p.fillRect(QRect(g.Width - 1, 0, 1, g.Height), ToQtColor(g.EdgeOuter));
}

}  // namespace zemblo
