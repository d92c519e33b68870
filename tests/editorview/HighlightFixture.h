// Shared by the highlighter tests: a line store stand-in and drawing lines the way the editor
// hands them to the colouring hook.
#pragma once

#include <string>
#include <vector>

#include "editorview/HiLiPHP.h"

namespace zemblo::test {

// Logical lines in a vector; counts how often the highlighter reads one.
class TVectorLines : public ILineSource {
 public:
  TVectorLines() = default;
  explicit TVectorLines(std::vector<std::string> lines) : Lines(std::move(lines)) {}
  int Count() const override { return static_cast<int>(Lines.size()); }
  std::string Get(int index) const override {
    ++Reads;
    return index >= 0 && index < Count() ? Lines[static_cast<size_t>(index)] : std::string();
  }
  std::vector<std::string> Lines;
  mutable int Reads = 0;
};

// One letter per token kind, so a row of a table reads like the line it describes:
// '.' ccSpace, '-' ccSym, 'V' ccVar, 'C' ccCmt, 'N' ccNum, 'S' ccStr, 'K' ccKey, 'A' ccAttrVal.
char KindCode(TCharCtx kind);

// Draws logical lines from..to as the editor does (text plus end-of-line marker, L + 2 cells
// prepared in the font colour) and returns the kinds of each line's characters, the marker
// left out. Checks on the way that every cell got the colour of its kind and nothing else.
std::vector<std::string> Draw(TPHPHighLight& hl, const TVectorLines& lines, int from, int to);
// All lines of `lines` from the top.
std::vector<std::string> DrawAll(TPHPHighLight& hl, const TVectorLines& lines);
// The kinds a fresh highlighter gives every line of `lines`.
std::vector<std::string> Fresh(const std::vector<std::string>& lines);

}  // namespace zemblo::test
