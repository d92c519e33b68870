// Small pieces the window model's widget tests share: elements from XML text, bitmaps made
// to order, and questions about the pixels of a grabbed image.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Stream.h"
#include "window/XML.h"

namespace zemblo::test {

// The document element of `xml`.
inline std::unique_ptr<TXMLTree> ParseXML(const std::string& xml) {
  auto t = std::make_unique<TXMLTree>();
  TMemoryStream m(xml);
  t->LoadFromStream(m);
  return t;
}

// A 24-bit bottom-up bitmap of w by h pixels; `color(x, y)` gives each pixel (y = 0 is the top).
inline std::string MakeBmp(int w, int h, const std::function<QColor(int x, int y)>& color) {
  const int stride = (w * 3 + 3) / 4 * 4;
  std::string f(54 + static_cast<size_t>(stride) * h, '\0');
  auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) f[at + i] = char(v >> (8 * i)); };
  f[0] = 'B', f[1] = 'M';
  put32(2, static_cast<uint32_t>(f.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, w);
  put32(22, h);
  f[26] = 1;
  f[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      QColor c = color(x, y);
      size_t p = 54 + static_cast<size_t>(h - 1 - y) * stride + x * 3;
      f[p] = char(c.blue()), f[p + 1] = char(c.green()), f[p + 2] = char(c.red());
    }
  return f;
}

inline std::string SolidBmp(int w, int h, QColor c) {
  return MakeBmp(w, h, [c](int, int) { return c; });
}

// The bounding box of the pixels inside `area` for which `is` holds (empty when none do).
inline QRect InkBox(const QImage& img, const QRect& area, const std::function<bool(QRgb)>& is) {
  QRect box;
  const QRect a = area.intersected(img.rect());
  for (int y = a.top(); y <= a.bottom(); ++y)
    for (int x = a.left(); x <= a.right(); ++x)
      if (is(img.pixel(x, y))) box |= QRect(x, y, 1, 1);
  return box;
}

inline int CountPixels(const QImage& img, const QRect& area, const std::function<bool(QRgb)>& is) {
  int n = 0;
  const QRect a = area.intersected(img.rect());
  for (int y = a.top(); y <= a.bottom(); ++y)
    for (int x = a.left(); x <= a.right(); ++x) n += is(img.pixel(x, y));
  return n;
}

inline bool IsDark(QRgb c) { return qGray(c) < 100; }
inline std::function<bool(QRgb)> Exactly(QColor want) {
  return [want](QRgb c) { return (c & 0xFFFFFF) == (want.rgb() & 0xFFFFFF); };
}

}  // namespace zemblo::test
