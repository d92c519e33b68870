// Colour texts of windows and controls: the named colours, "#RRGGBB" in HTML order and
// "$BBGGRR" in the platform's order.
#pragma once

#include <span>
#include <string_view>

#include "platform/Color.h"

namespace zemblo {

struct TKXNamedColor {
  std::string_view Name;  // as the colour lists write it; matched without regard to ASCII case
  TColor Color;           // red in the low byte
};

// The 139 names a colour text may use, each with the CSS colour of the same name. The British spellings of the grey names and LightGoldenRodYellow are not among them.
std::span<const TKXNamedColor> KXColorTable();

// The colour value of a colour text:
// - a name of the table (any letter case) gives its colour;
// - "$" and up to six hexadecimal digits give that number as the value (its low byte is red);
// - "#" and up to six hexadecimal digits give 0xRRGGBB with red and blue exchanged;
// - after "$" or "#", no digit or a character that is not a hexadecimal digit gives pure red
//   (0x0000FF); characters after the sixth are ignored;
// - any other text gives clNone (-1): callers then show the control's default colour.
TColor ParseColor(std::string_view text);

}  // namespace zemblo
