// The line store: the wrap rule, the three coordinate systems, the two ways of cutting a
// text into lines, offset edits, files, and its invariants under random edits.
#include <gtest/gtest.h>

#include <random>

#include "FakePlatform.h"
#include "TestUtil.h"
#include "editor/AdvLines.h"
#include "editor/Partitioning.h"
#include "platform/Errors.h"

using namespace zemblo;
using zemblo::test::TEditorRig;

namespace {

std::vector<std::string> Pieces(const TAdvLines& lines, int line) {
  std::vector<std::string> out;
  const TParagraph& p = lines.Paragraph(line);
  for (int k = 0; k < p.RowCount(); ++k) out.emplace_back(p.Piece(k));
  return out;
}

std::vector<size_t> PieceLengths(const TAdvLines& lines, int line) {
  std::vector<size_t> out;
  for (const std::string& s : Pieces(lines, line)) out.push_back(s.size());
  return out;
}

std::string Repeat(char c, int n) { return std::string(static_cast<size_t>(n), c); }

}  // namespace

TEST(AdvLines, WrapsAtTheLastSpaceWithinEightyColumns) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<size_t> pieces;
  };
  const Case cases[] = {
      {"200 letters cut hard", Repeat('a', 200), {80, 80, 40}},
      {"exactly 80 stays one row", Repeat('a', 80), {80}},
      {"81 with the last space at position 60", Repeat('a', 59) + " " + Repeat('b', 21), {60, 21}},
      {"a space in the first position is no break point", " " + Repeat('a', 90), {80, 11}},
      {"a space at position 80 ends the upper row", Repeat('a', 79) + " " + Repeat('b', 10), {80, 10}},
      {"a space at position 81 cannot be used", Repeat('a', 80) + " " + Repeat('b', 10), {80, 11}},
      {"each row breaks again from its own start", Repeat('a', 70) + " " + Repeat('b', 70) + " " + Repeat('c', 30),
       {71, 71, 30}},
      {"empty line", "", {0}},
  };
  for (const Case& c : cases) {
    TAdvLines lines;
    lines.Add(c.text);
    EXPECT_EQ(PieceLengths(lines, 0), c.pieces) << c.what;
    EXPECT_EQ(lines.RowTotal(), static_cast<int>(c.pieces.size())) << c.what;
    EXPECT_EQ(lines.CheckInvariants(), "") << c.what;
  }
}

TEST(AdvLines, ConvertsBetweenRowsLogicalLinesAndOffsets) {
  TEditorRig rig("ab\r\n" + Repeat('x', 100) + "\r\nlast");
  TAdvLines& lines = rig.Lines();
  TAdvancedEditor& ed = rig.editor;
  ASSERT_EQ(lines.RowTotal(), 4);
  EXPECT_EQ(lines.RowColToLineChar(5, 2), (TLineChar{85, 1}));
  EXPECT_EQ(lines.RowColToLineChar(30, 2), (TLineChar{110, 1}));  // the column is not limited
  EXPECT_EQ(lines.LineCharToRowCol(1, 80), (TRowCol{1, 80}));     // boundary: end of the upper row
  EXPECT_EQ(lines.LineCharToRowCol(1, 81), (TRowCol{2, 1}));
  EXPECT_EQ(lines.LineCharToRowCol(1, 0), (TRowCol{1, 0}));
  EXPECT_EQ(lines.RowToLine(3), (TRowPiece{2, 0}));
  EXPECT_EQ(lines.RowToLine(4), (TRowPiece{-1, -1}));
  EXPECT_EQ(lines.LineOffset(2), 2 + 2 + 100 + 2);
  EXPECT_THROW(lines.RowColToLineChar(0, 4), EListError);
  EXPECT_THROW(lines.RowColToLineChar(0, -1), EListError);

  // PosToOffset clamps the column to its row; OffsetToPos gives back every in-row place.
  EXPECT_EQ(ed.PosToOffset(50, 0), 2);
  EXPECT_EQ(ed.PosToOffset(50, 2), 4 + 80 + 20);
  EXPECT_EQ(ed.PosToOffset(0, 9), lines.TextLength());
  EXPECT_EQ(ed.PosToOffset(0, -1), -1);
  for (int row = 0; row < lines.RowTotal(); ++row)
    for (int c = 0; c <= lines.RowLength(row); ++c) {
      if (c == 0 && row == 2) continue;  // char 80 of the wrapped line is the end of row 1
      EXPECT_EQ(ed.OffsetToPos(ed.PosToOffset(c, row)), (TRowCol{row, c})) << "row " << row << " col " << c;
    }
  EXPECT_EQ(ed.OffsetToPos(lines.TextLength()), (TRowCol{3, 4}));  // past the text: the last row's end
}

TEST(AdvLines, WithoutWrappedLinesRowsAreLines) {
  TAdvLines lines;
  lines.SetText("one\r\ntwo\r\n");
  EXPECT_EQ(lines.RowTotal(), lines.Count());
  EXPECT_EQ(lines.RowToLine(7), (TRowPiece{1, 0}));
  EXPECT_EQ(lines.RowText(1), "two");
  EXPECT_EQ(lines.RowText(2), "");
  EXPECT_EQ(lines.RowText(-1), "");
}

TEST(AdvLines, OutOfRangeIndexesReadEmptyAndRaiseOnWrite) {
  TAdvLines lines;
  lines.SetText("a\r\nb");
  EXPECT_EQ(lines.Get(-1), "");
  EXPECT_EQ(lines.Get(2), "");
  try {
    lines.Put(2, "x");
    FAIL() << "Put past the end must raise";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (2)");
  }
  EXPECT_THROW(lines.Delete(-1), EListError);
  EXPECT_THROW(lines.Insert(3, "x"), EListError);
  EXPECT_THROW(lines.PutRow(5, "x"), EListError);
  EXPECT_EQ(lines.Count(), 2);
}

TEST(AdvLines, CutsTextsIntoLinesByTheirRules) {
  struct Case {
    const char* what;
    std::string text;
    bool whole;  // SetText (true) or Insert into an empty store
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"insert drops empty lines", "a\r\n\r\nb", false, {"a", "b"}},
      {"set text keeps them", "a\r\n\r\nb", true, {"a", "", "b"}},
      {"a final break adds no line", "a\r\n", true, {"a"}},
      {"letter and two breaks", "a\r\n\r\n", true, {"a", ""}},
      {"lone CR and lone LF break", "a\rb\nc", true, {"a", "b", "c"}},
      {"LF CR is two breaks", "a\n\rb", true, {"a", "", "b"}},
      {"tabs become four spaces", "\tx\ty", true, {"    x    y"}},
      {"insert expands tabs too", "\tx", false, {"    x"}},
      {"an empty insert is one empty line", "", false, {""}},
      {"an empty text is no line", "", true, {}},
      {"a NUL byte keeps the rest of the text", std::string("a\0b\r\nc", 6), true, {std::string("a\0b", 3), "c"}},
  };
  for (const Case& c : cases) {
    TAdvLines lines;
    if (c.whole)
      lines.SetText(c.text);
    else
      lines.Insert(0, c.text);
    std::vector<std::string> got;
    for (int i = 0; i < lines.Count(); ++i) got.push_back(lines.Get(i));
    EXPECT_EQ(got, c.lines) << c.what;
  }
}

TEST(AdvLines, PutRowReplacesOneRowAndRewraps) {
  TAdvLines lines;
  lines.SetText(Repeat('a', 100) + "\r\nz");
  lines.PutRow(1, "bb");  // the 20-letter second row of line 0
  EXPECT_EQ(lines.Get(0), Repeat('a', 80) + "bb");
  EXPECT_EQ(lines.FirstRow(1), 2);
  lines.PutRow(0, "c");  // line 0 becomes one row: line 1 moves up
  EXPECT_EQ(lines.Get(0), "cbb");
  EXPECT_EQ(lines.FirstRow(1), 1);
  EXPECT_EQ(lines.RowTotal(), 2);
  EXPECT_EQ(lines.CheckInvariants(), "");
}

TEST(AdvLines, StoringALongerTextRaisesTheColumnCapacity) {
  TEditorRig rig;
  EXPECT_EQ(rig.editor.MaxLineLength(), 512);
  rig.Lines().Add(Repeat('a', 600));
  EXPECT_EQ(rig.editor.MaxLineLength(), 601);
  rig.Lines().Put(0, "short");
  EXPECT_EQ(rig.editor.MaxLineLength(), 601);  // never shrinks
}

TEST(AdvLines, PadToCaretOnAnEmptyStoreAddsTheFirstLineUnrecorded) {
  TEditorRig rig;
  rig.Lines().Clear();
  rig.Caret(6, 0);
  rig.Lines().PadToCaret();
  EXPECT_EQ(rig.Text(), "      ");
  ASSERT_EQ(rig.editor.UndoBuffer().Count(), 1);
  auto* r = dynamic_cast<TReLineUndo*>(rig.editor.UndoBuffer().Item(0));
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Text, "      ");
  EXPECT_EQ(r->Offset, 0);
}

TEST(AdvLines, SavesEveryLineWithABreakAndLoadsWithoutMovingTheCaret) {
  zemblo::test::TTempDir dir;
  TEditorRig rig("one\r\ntwo");
  rig.Lines().SaveToFile(dir / "a.txt");
  EXPECT_EQ(zemblo::test::ReadAll(dir / "a.txt"), "one\r\ntwo\r\n");

  zemblo::test::WriteAll(dir / "b.txt", "x\ty\nlast");
  rig.Caret(2, 1);
  rig.Type("Q");
  rig.Lines().LoadFromFile(dir / "b.txt");
  EXPECT_EQ(rig.Text(), "x    y|last");
  EXPECT_EQ(rig.editor.UndoBuffer().Count(), 0);
  EXPECT_EQ(rig.CaretPos(), (TRowCol{1, 3}));
  EXPECT_EQ(rig.editor.UpdateCount(), 0);

  EXPECT_THROW(rig.Lines().LoadFromFile(dir / "missing.txt"), EFOpenError);
  EXPECT_EQ(rig.Text(), "x    y|last");
  EXPECT_EQ(rig.editor.UpdateCount(), 0);
}

// An offset edit changes only the lines it reaches; the result must be what rebuilding
// the whole text would give.
TEST(AdvLines, OffsetEditsMatchAWholeTextRebuild) {
  std::mt19937 rng(7);
  const char* pieces[] = {"a", "b ", " ", "\r\n", "\r", "\n", "\t", "word ", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"};
  auto randomText = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += pieces[rng() % std::size(pieces)];
    return s;
  };
  for (int round = 0; round < 400; ++round) {
    TAdvLines fast;
    TAdvLines slow;
    const std::string start = randomText(static_cast<int>(rng() % 40));
    fast.SetText(start);
    slow.SetText(start);
    for (int step = 0; step < 5; ++step) {
      const std::string text = slow.GetText();
      const int total = static_cast<int>(text.size());
      const int offset = total ? static_cast<int>(rng() % (total + 1)) : 0;
      const int count = static_cast<int>(rng() % (total - offset + 1));
      const std::string insert = rng() % 3 ? randomText(static_cast<int>(rng() % 6)) : "";
      fast.ReplaceRangeKeepState(offset, count, insert);
      std::string expected = text;
      expected.replace(offset, count, insert);
      slow.SetTextKeepState(expected);
      ASSERT_EQ(fast.GetText(), slow.GetText()) << "round " << round << " step " << step;
      ASSERT_EQ(fast.CheckInvariants(), "");
    }
  }
}

TEST(EditorPartitioning, MatchesPlainPrefixSumsUnderRandomChanges) {
  std::mt19937 rng(11);
  TPartitioning part;
  std::vector<int> lengths;
  for (int step = 0; step < 20000; ++step) {
    const int op = static_cast<int>(rng() % 3);
    const int n = static_cast<int>(lengths.size());
    if (op == 0 || n == 0) {
      const int i = static_cast<int>(rng() % (n + 1));
      const int len = static_cast<int>(rng() % 5);
      part.InsertPartition(i, len);
      lengths.insert(lengths.begin() + i, len);
    } else if (op == 1) {
      const int i = static_cast<int>(rng() % n);
      part.RemovePartition(i);
      lengths.erase(lengths.begin() + i);
    } else {
      const int i = static_cast<int>(rng() % n);
      const int d = static_cast<int>(rng() % 7) - 3;
      if (lengths[i] + d < 0) continue;
      part.Shift(i, d);
      lengths[i] += d;
    }
    if (step % 97 != 0) continue;
    ASSERT_EQ(part.Partitions(), static_cast<int>(lengths.size()));
    int start = 0;
    for (int i = 0; i < static_cast<int>(lengths.size()); ++i) {
      ASSERT_EQ(part.Start(i), start) << "step " << step << " partition " << i;
      if (lengths[i] > 0) {
        ASSERT_EQ(part.PartitionFromPosition(start + lengths[i] - 1), i);
      }
      start += lengths[i];
    }
    ASSERT_EQ(part.Total(), start);
  }
}

// Cutting only the pieces a change reaches must give the breaks of cutting the whole line.
TEST(AdvLines, RewrappingAfterAnEditMatchesAFullCut) {
  std::mt19937 rng(5);
  const std::string alphabet = "ab  cdefg h ";
  auto randomText = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += rng() % 9 ? alphabet[rng() % alphabet.size()] : 'x';
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text = randomText(static_cast<int>(rng() % 400));
    std::vector<int> breaks;
    ComputeBreaks(text, breaks);
    const int at = static_cast<int>(rng() % (text.size() + 1));
    const int count = static_cast<int>(rng() % (text.size() - at + 1));
    const std::string insert = randomText(static_cast<int>(rng() % 30));
    text.replace(at, count, insert);
    RecomputeBreaks(text, breaks, at, at + count, at + static_cast<int>(insert.size()));
    std::vector<int> full;
    ComputeBreaks(text, full);
    ASSERT_EQ(breaks, full) << "round " << round;
  }
}
