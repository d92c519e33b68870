// The stored line states: what an edit recolours at the next drawing, and what it does not.
#include <gtest/gtest.h>

#include <random>

#include "HighlightFixture.h"

namespace zemblo::test {
namespace {

const std::vector<std::string> kPage = {
    "<?php",              // 0
    "$a = 1;",            // 1
    "$b = 2;",            // 2
    "*/ ?>",              // 3
    "<p>text</p>",        // 4
    "<?php $c = 3; ?>",   // 5
    "<script>",           // 6
    "var x = 1;",         // 7
    "</script>",          // 8
    "<b>end</b>",         // 9
};

TEST(PHPHighlighterStates, InitialState) {
  TScanState s = TPHPHighLight::InitialState();
  TScanState expected;
  expected.InAttrName = 1;
  EXPECT_EQ(s, expected);
}

// A change that opens or closes a comment, a PHP block or a script block recolours the lines
// below it at the next drawing, as far as its effect on the state reaches and no further.
TEST(PHPHighlighterStates, EditsRecolourTheLinesTheirStateReaches) {
  struct {
    const char* What;
    int Line;
    const char* Text;
    int SameFrom;  // the first line below the edit that keeps its colours
  } rows[] = {
      {"open a PHP comment that line 3 closes", 1, "/* $a = 1;", 4},
      {"close the PHP block early", 1, "$a = 1; ?>", 4},
      {"open a script block that line 8 closes", 4, "<script>text", 7},
      {"open an HTML comment that never closes", 4, "<!-- <p>", 10},
      {"leave PHP at the top", 0, "<p>", 4},
  };
  const auto base = Fresh(kPage);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.What);
    TVectorLines lines(kPage);
    TPHPHighLight hl(lines);
    hl.Reset();
    DrawAll(hl, lines);

    lines.Lines[static_cast<size_t>(row.Line)] = row.Text;
    auto edited = DrawAll(hl, lines);
    EXPECT_EQ(edited, Fresh(lines.Lines));
    EXPECT_NE(std::vector<std::string>(edited.begin() + row.Line + 1, edited.begin() + row.SameFrom),
              std::vector<std::string>(base.begin() + row.Line + 1, base.begin() + row.SameFrom));
    for (int i = row.SameFrom; i < lines.Count(); ++i) EXPECT_EQ(edited[i], base[i]) << "line " << i;

    // Undoing it brings the old colours back, drawing only the edited line and what follows
    // on the screen.
    lines.Lines = kPage;
    auto window = Draw(hl, lines, row.Line, lines.Count() - 1);
    EXPECT_EQ(window, std::vector<std::string>(base.begin() + row.Line, base.end()));
  }
}

TEST(PHPHighlighterStates, DeletingTheLineThatOpenedACommentRecoloursTheLinesBelow) {
  TVectorLines lines({"<?php", "/*", "echo 1;", "*/", "echo 2;"});
  TPHPHighLight hl(lines);
  hl.Reset();
  EXPECT_EQ(DrawAll(hl, lines), (std::vector<std::string>{"KKKKK", "CC", "CCCCCCC", "CC", "KKKK-N-"}));
  lines.Lines.erase(lines.Lines.begin() + 1);
  EXPECT_EQ(DrawAll(hl, lines), (std::vector<std::string>{"KKKKK", "KKKK-N-", "--", "KKKK-N-"}));
}

TEST(PHPHighlighterStates, LinesBelowTheScreenFollowWhenScrolledTo) {
  TVectorLines lines(kPage);
  TPHPHighLight hl(lines);
  hl.Reset();
  DrawAll(hl, lines);
  // The screen shows lines 0 to 2 while a comment is opened there; line 3 closes it.
  lines.Lines[1] = "/* $a = 1;";
  Draw(hl, lines, 0, 2);
  auto expected = Fresh(lines.Lines);
  EXPECT_EQ(Draw(hl, lines, 3, 5), std::vector<std::string>(expected.begin() + 3, expected.begin() + 6));
}

TEST(PHPHighlighterStates, AnEditThatKeepsTheStateReadsNoOtherLine) {
  TVectorLines lines(kPage);
  TPHPHighLight hl(lines);
  hl.Reset();
  DrawAll(hl, lines);
  lines.Lines[2] = "$b = 22; // more";
  lines.Reads = 0;
  EXPECT_EQ(DrawAll(hl, lines), Fresh(lines.Lines));
  EXPECT_EQ(lines.Reads, 0);
}

// Lines read back from the store for a rescan end in the same state as when they are drawn;
// otherwise every drawing would find a "change" there and rescan what follows.
TEST(PHPHighlighterStates, RedrawingUnchangedTextReadsNoLine) {
  const std::vector<std::vector<std::string>> texts = {
      {"<script>", "x = a", "y = 1;", "</script>"},
      {"a <", "b", "c"},
      {"<style><!--", "color: r", "x", "--></style>"},
      {"<a title=\"x", "y\">", "z"},
  };
  for (const auto& text : texts) {
    SCOPED_TRACE(text[1]);
    TVectorLines lines(text);
    TPHPHighLight hl(lines);
    hl.Reset();
    auto first = DrawAll(hl, lines);
    lines.Reads = 0;
    EXPECT_EQ(DrawAll(hl, lines), first);
    EXPECT_EQ(lines.Reads, 0);
  }
}

TEST(PHPHighlighterStates, TheAttributeQuoteIsKeptInTheState) {
  TVectorLines lines({"<a title='x", "y"});
  TPHPHighLight hl(lines);
  hl.Reset();
  DrawAll(hl, lines);
  EXPECT_EQ(hl.LineStates()[0].InAttrValue, '\'');
  EXPECT_EQ(hl.LineStates()[0].InTag, 1);
}

// Inserting a line shifts every later line away from its stored state. The shift changes no
// state at the inserted line, yet lines far below must not start from their neighbour's state.
TEST(PHPHighlighterStates, InsertedLinesDoNotShiftStoredStates) {
  std::vector<std::string> text = {"<?php"};
  for (int i = 1; i < 31; ++i) text.push_back("$x = 1;");
  text.push_back("/* c");
  text.push_back("*/ $y = 2;");
  for (int i = 33; i < 40; ++i) text.push_back("$z = 3;");
  TVectorLines lines(text);
  TPHPHighLight hl(lines);
  hl.Reset();
  DrawAll(hl, lines);

  lines.Lines.insert(lines.Lines.begin() + 2, "$w = 0;");
  Draw(hl, lines, 0, 10);  // the screen where the line was inserted
  auto expected = Fresh(lines.Lines);
  // The line that closes the comment, straight after scrolling to it.
  EXPECT_EQ(Draw(hl, lines, 33, 36), std::vector<std::string>(expected.begin() + 33, expected.begin() + 37));
  EXPECT_EQ(Draw(hl, lines, 33, 33)[0], "CC-VV---N-");
}

TEST(PHPHighlighterStates, ResetStartsOverFromTheTop) {
  TVectorLines lines(kPage);
  TPHPHighLight hl(lines);
  hl.Reset();
  DrawAll(hl, lines);
  // Another file of the same length loaded into the same store.
  std::vector<std::string> other(kPage.size(), "<b>x</b>");
  other[0] = "<script>";
  lines.Lines = other;
  hl.Reset();
  EXPECT_EQ(Draw(hl, lines, 5, 9), std::vector<std::string>(5, "-.-.--.-"));
  EXPECT_EQ(DrawAll(hl, lines), Fresh(other));
}

// Random edits, each followed by drawing a screen that contains it and then a screen
// elsewhere: every line drawn looks as it would in a freshly loaded file.
TEST(PHPHighlighterStates, RandomEditsMatchAFreshScan) {
  const std::vector<std::string> pieces = {
      "<?php", "?>", "/*", "*/", "// x", "# y", "'s", "\"t", "$v = 1;", "echo 2;", "<script>",
      "</script>", "<style>", "<!--", "-->", "<a href=\"u", "\" b=c>", "<b>", "</b>", "<", ">",
      "text", "var q = 'r';", "color: #FFF;", "<?", "<!-->", "x = a", "",
  };
  std::mt19937 rng(20240607);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto randomLine = [&] {
    std::string s;
    for (int k = pick(3); k >= 0; --k) s += pieces[static_cast<size_t>(pick(static_cast<int>(pieces.size())))] + " ";
    return s;
  };
  TVectorLines lines;
  for (int i = 0; i < 60; ++i) lines.Lines.push_back(randomLine());
  TPHPHighLight hl(lines);
  hl.Reset();
  DrawAll(hl, lines);
  for (int round = 0; round < 300; ++round) {
    int at = pick(lines.Count());
    switch (pick(3)) {
      case 0: lines.Lines[static_cast<size_t>(at)] = randomLine(); break;
      case 1: lines.Lines.insert(lines.Lines.begin() + at, randomLine()); break;
      default:
        if (lines.Count() > 5) lines.Lines.erase(lines.Lines.begin() + at);
        at = std::min(at, lines.Count() - 1);
    }
    auto expected = Fresh(lines.Lines);
    int top = std::max(0, at - pick(10));
    int bottom = std::min(lines.Count() - 1, at + pick(10));
    auto got = Draw(hl, lines, top, bottom);
    ASSERT_EQ(got, std::vector<std::string>(expected.begin() + top, expected.begin() + bottom + 1)) << "round " << round;
    int from = pick(lines.Count());
    int to = std::min(lines.Count() - 1, from + pick(20));
    got = Draw(hl, lines, from, to);
    ASSERT_EQ(got, std::vector<std::string>(expected.begin() + from, expected.begin() + to + 1)) << "round " << round;
  }
}

}  // namespace
}  // namespace zemblo::test
