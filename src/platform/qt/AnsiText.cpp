#include "platform/qt/AnsiText.h"

#include <array>

namespace zemblo {

namespace {
// 0x80-0x9F of Windows-1252; the five unassigned bytes map to the C1 controls of the same
// value, so every byte survives a round trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

QChar AnsiChar(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) return QChar(kHigh[b - 0x80]);
  return QChar(static_cast<char16_t>(b));
}

QString FromAnsi(std::string_view bytes) {
  QString s;
  s.resize(static_cast<qsizetype>(bytes.size()));
  QChar* out = s.data();
  for (size_t i = 0; i < bytes.size(); ++i) out[i] = AnsiChar(static_cast<unsigned char>(bytes[i]));
  return s;
}

std::string ToAnsi(const QString& text) {
  std::string r;
  r.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) {
    char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      r.push_back(static_cast<char>(u));
      continue;
    }
    char out = '?';
    for (size_t k = 0; k < kHigh.size(); ++k)
      if (kHigh[k] == u) {
        out = static_cast<char>(0x80 + k);
        break;
      }
    r.push_back(out);
  }
  return r;
}

}  // namespace zemblo
