#include "HighlightFixture.h"

#include <gtest/gtest.h>

namespace zemblo::test {

char KindCode(TCharCtx kind) {
  switch (kind) {
    case ccSpace: return '.';
    case ccSym: return '-';
    case ccVar: return 'V';
    case ccCmt: return 'C';
    case ccNum: return 'N';
    case ccStr: return 'S';
    case ccKey: return 'K';
    case ccAttrVal: return 'A';
  }
  return '?';
}

std::vector<std::string> Draw(TPHPHighLight& hl, const TVectorLines& lines, int from, int to) {
  const TCharAttr prepared{RGB(1, 2, 3), RGB(192, 192, 192), fsBold};
  std::vector<std::string> out;
  for (int line = from; line <= to; ++line) {
    std::string text = lines.Get(line) + kEndOfLineMarker;
    --lines.Reads;  // the editor's own read, not the highlighter's
    TLineAttrs attrs(text.size() + 1, prepared);
    hl.HighlightLine(nullptr, text, line, TSelAttrs(text.size(), 0), attrs);
    const auto& kinds = hl.Kinds();
    EXPECT_EQ(kinds.size(), text.size()) << "line " << line;
    std::string codes;
    for (size_t i = 0; i < kinds.size(); ++i) {
      if (i + 1 < kinds.size()) codes += KindCode(kinds[i]);
      EXPECT_EQ(attrs[i].Color, kCharCtxColors[kinds[i]]) << "line " << line << " cell " << i;
      EXPECT_EQ(attrs[i].BkColor, prepared.BkColor);
      EXPECT_EQ(attrs[i].Style, prepared.Style);
    }
    EXPECT_EQ(attrs.back(), prepared) << "the spare cell is not the highlighter's";
    out.push_back(codes);
  }
  return out;
}

std::vector<std::string> DrawAll(TPHPHighLight& hl, const TVectorLines& lines) {
  return Draw(hl, lines, 0, lines.Count() - 1);
}

std::vector<std::string> Fresh(const std::vector<std::string>& lines) {
  TVectorLines source(lines);
  TPHPHighLight hl(source);
  hl.Reset();
  return DrawAll(hl, source);
}

}  // namespace zemblo::test
