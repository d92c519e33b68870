#include "window/KXColors.h"

#include <iterator>
#include <optional>

#include "platform/Text.h"

namespace zemblo {

namespace {

// The table is written in HTML order, as colour lists publish it, and stored in ours.
constexpr TColor Html(uint32_t rrggbb) { return RGB(rrggbb >> 16, rrggbb >> 8, rrggbb); }

constexpr TKXNamedColor kColors[] = {
    {"AliceBlue", Html(0xF0F8FF)},
    {"AntiqueWhite", Html(0xFAEBD7)},
    {"Aqua", Html(0x00FFFF)},
    {"Aquamarine", Html(0x7FFFD4)},
    {"Azure", Html(0xF0FFFF)},
    {"Beige", Html(0xF5F5DC)},
    {"Bisque", Html(0xFFE4C4)},
    {"Black", Html(0x000000)},
    {"BlanchedAlmond", Html(0xFFEBCD)},
    {"Blue", Html(0x0000FF)},
    {"BlueViolet", Html(0x8A2BE2)},
    {"Brown", Html(0xA52A2A)},
    {"BurlyWood", Html(0xDEB887)},
    {"CadetBlue", Html(0x5F9EA0)},
    {"Chartreuse", Html(0x7FFF00)},
    {"Chocolate", Html(0xD2691E)},
    {"Coral", Html(0xFF7F50)},
    {"CornflowerBlue", Html(0x6495ED)},
    {"Cornsilk", Html(0xFFF8DC)},
    {"Crimson", Html(0xDC143C)},
    {"Cyan", Html(0x00FFFF)},
    {"DarkBlue", Html(0x00008B)},
    {"DarkCyan", Html(0x008B8B)},
    {"DarkGoldenRod", Html(0xB8860B)},
    {"DarkGray", Html(0xA9A9A9)},
    {"DarkGreen", Html(0x006400)},
    {"DarkKhaki", Html(0xBDB76B)},
    {"DarkMagenta", Html(0x8B008B)},
    {"DarkOliveGreen", Html(0x556B2F)},
    {"DarkOrange", Html(0xFF8C00)},
    {"DarkOrchid", Html(0x9932CC)},
    {"DarkRed", Html(0x8B0000)},
    {"DarkSalmon", Html(0xE9967A)},
    {"DarkSeaGreen", Html(0x8FBC8F)},
    {"DarkSlateBlue", Html(0x483D8B)},
    {"DarkSlateGray", Html(0x2F4F4F)},
    {"DarkTurquoise", Html(0x00CED1)},
    {"DarkViolet", Html(0x9400D3)},
    {"DeepPink", Html(0xFF1493)},
    {"DeepSkyBlue", Html(0x00BFFF)},
    {"DimGray", Html(0x696969)},
    {"DodgerBlue", Html(0x1E90FF)},
    {"FireBrick", Html(0xB22222)},
    {"FloralWhite", Html(0xFFFAF0)},
    {"ForestGreen", Html(0x228B22)},
    {"Fuchsia", Html(0xFF00FF)},
    {"Gainsboro", Html(0xDCDCDC)},
    {"GhostWhite", Html(0xF8F8FF)},
    {"Gold", Html(0xFFD700)},
    {"GoldenRod", Html(0xDAA520)},
    {"Gray", Html(0x808080)},
    {"Green", Html(0x008000)},
    {"GreenYellow", Html(0xADFF2F)},
    {"HoneyDew", Html(0xF0FFF0)},
    {"HotPink", Html(0xFF69B4)},
    {"IndianRed", Html(0xCD5C5C)},
    {"Indigo", Html(0x4B0082)},
    {"Ivory", Html(0xFFFFF0)},
    {"Khaki", Html(0xF0E68C)},
    {"Lavender", Html(0xE6E6FA)},
    {"LavenderBlush", Html(0xFFF0F5)},
    {"LawnGreen", Html(0x7CFC00)},
    {"LemonChiffon", Html(0xFFFACD)},
    {"LightBlue", Html(0xADD8E6)},
    {"LightCoral", Html(0xF08080)},
    {"LightCyan", Html(0xE0FFFF)},
    {"LightGray", Html(0xD3D3D3)},
    {"LightGreen", Html(0x90EE90)},
    {"LightPink", Html(0xFFB6C1)},
    {"LightSkyBlue", Html(0x87CEFA)},
    {"LightSalmon", Html(0xFFA07A)},
    {"LightSeaGreen", Html(0x20B2AA)},
    {"LightSlateGray", Html(0x778899)},
    {"LightSteelBlue", Html(0xB0C4DE)},
    {"LightYellow", Html(0xFFFFE0)},
    {"Lime", Html(0x00FF00)},
    {"LimeGreen", Html(0x32CD32)},
    {"Linen", Html(0xFAF0E6)},
    {"Magenta", Html(0xFF00FF)},
    {"Maroon", Html(0x800000)},
    {"MediumTurquoise", Html(0x48D1CC)},
    {"MediumVioletRed", Html(0xC71585)},
    {"MediumAquamarine", Html(0x66CDAA)},
    {"MediumBlue", Html(0x0000CD)},
    {"MediumOrchid", Html(0xBA55D3)},
    {"MediumPurple", Html(0x9370DB)},
    {"MediumSeaGreen", Html(0x3CB371)},
    {"MediumSlateBlue", Html(0x7B68EE)},
    {"MediumSpringGreen", Html(0x00FA9A)},
    {"MidnightBlue", Html(0x191970)},
    {"MintCream", Html(0xF5FFFA)},
    {"MistyRose", Html(0xFFE4E1)},
    {"Moccasin", Html(0xFFE4B5)},
    {"NavajoWhite", Html(0xFFDEAD)},
    {"Navy", Html(0x000080)},
    {"OldLace", Html(0xFDF5E6)},
    {"Olive", Html(0x808000)},
    {"OliveDrab", Html(0x6B8E23)},
    {"Orange", Html(0xFFA500)},
    {"OrangeRed", Html(0xFF4500)},
    {"Orchid", Html(0xDA70D6)},
    {"PaleGoldenRod", Html(0xEEE8AA)},
    {"PaleGreen", Html(0x98FB98)},
    {"PaleTurquoise", Html(0xAFEEEE)},
    {"PaleVioletRed", Html(0xDB7093)},
    {"Papayawhip", Html(0xFFEFD5)},
    {"Peachpuff", Html(0xFFDAB9)},
    {"Peru", Html(0xCD853F)},
    {"Pink", Html(0xFFC0CB)},
    {"Plum", Html(0xDDA0DD)},
    {"PowderBlue", Html(0xB0E0E6)},
    {"Purple", Html(0x800080)},
    {"Red", Html(0xFF0000)},
    {"RosyBrown", Html(0xBC8F8F)},
    {"RoyalBlue", Html(0x4169E1)},
    {"SaddleBrown", Html(0x8B4513)},
    {"Salmon", Html(0xFA8072)},
    {"SandyBrown", Html(0xF4A460)},
    {"SeaGreen", Html(0x2E8B57)},
    {"SeaShell", Html(0xFFF5EE)},
    {"Sienna", Html(0xA0522D)},
    {"Silver", Html(0xC0C0C0)},
    {"SkyBlue", Html(0x87CEEB)},
    {"SlateBlue", Html(0x6A5ACD)},
    {"SlateGray", Html(0x708090)},
    {"Snow", Html(0xFFFAFA)},
    {"SpringGreen", Html(0x00FF7F)},
    {"SteelBlue", Html(0x4682B4)},
    {"Tan", Html(0xD2B48C)},
    {"Teal", Html(0x008080)},
    {"Thistle", Html(0xD8BFD8)},
    {"Tomato", Html(0xFF6347)},
    {"Turquoise", Html(0x40E0D0)},
    {"Violet", Html(0xEE82EE)},
    {"Wheat", Html(0xF5DEB3)},
    {"White", Html(0xFFFFFF)},
    {"WhiteSmoke", Html(0xF5F5F5)},
    {"Yellow", Html(0xFFFF00)},
    {"YellowGreen", Html(0x9ACD32)},
};
static_assert(std::size(kColors) == 139);

constexpr TColor kPureRed = 0x0000FF;

// Up to six hexadecimal digits after the first character; nullopt when there is none or a
// character among them is not one.
std::optional<uint32_t> ReadHex6(std::string_view text) {
  std::string_view digits = text.substr(1, 6);
  if (digits.empty()) return std::nullopt;
  uint32_t v = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return std::nullopt;
    v = v * 16 + d;
  }
  return v;
}

}  // namespace

std::span<const TKXNamedColor> KXColorTable() { return kColors; }

TColor ParseColor(std::string_view text) {
  for (const auto& c : kColors)
    if (SameText(c.Name, text)) return c.Color;
  if (text.empty() || (text[0] != '$' && text[0] != '#')) return clNone;
  std::optional<uint32_t> v = ReadHex6(text);
  if (!v) return kPureRed;
  if (text[0] == '$') return static_cast<TColor>(*v);
  return Html(*v);
}

}  // namespace zemblo
