// The look of one character cell, as the colouring hook fills it and the painting reads it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Color.h"

namespace zemblo {

// Font style bits of a cell.
enum TFontStyleBits : uint8_t {
  fsBold = 1,
  fsItalic = 2,
  fsUnderline = 4,
  fsStrikeOut = 8,
};

struct TCharAttr {
  TColor Color = 0;    // text colour
  TColor BkColor = 0;  // background colour
  uint8_t Style = 0;   // TFontStyleBits
  bool operator==(const TCharAttr&) const = default;
};

// One TCharAttr per character of a logical line, plus the end-of-line marker cell and one
// spare: L + 2 cells for a line of L characters.
using TLineAttrs = std::vector<TCharAttr>;
// 0 or 1 per character of the line being drawn: whether it is selected.
using TSelAttrs = std::vector<uint8_t>;

class TAdvancedEditor;

// The colouring hook: fills `attrs` (the line's cells) for logical line `line`, whose text
// arrives with the end-of-line marker appended; `selFlags` is read only.
using THighlightLineEvent = std::function<void(TAdvancedEditor* sender, const std::string& text, int line,
                                               const TSelAttrs& selFlags, TLineAttrs& attrs)>;

// Appended to a line's text for colouring and selection marking; never shown.
inline constexpr char kEndOfLineMarker = '\xAC';

}  // namespace zemblo
