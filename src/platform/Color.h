// Colour values as the project files and the painting code use them: red in the low byte,
// then green, then blue; the top byte zero. -1 means "no colour".
#pragma once

#include <cstdint>

namespace zemblo {

using TColor = int32_t;

inline constexpr TColor clNone = -1;

constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

}  // namespace zemblo
