// What the PHP highlighter makes of single lines and short texts, drawn from the top of a
// file: tables of (lines, expected kinds), one letter per character (see KindCode).
#include <gtest/gtest.h>

#include "HighlightFixture.h"

namespace zemblo::test {
namespace {

struct TRow {
  const char* What;
  std::vector<std::string> Lines;
  // Expected kinds of each line; "*" leaves a line unchecked.
  std::vector<std::string> Kinds;
};

void CheckRows(const std::vector<TRow>& rows) {
  for (const auto& row : rows) {
    SCOPED_TRACE(row.What);
    ASSERT_EQ(row.Lines.size(), row.Kinds.size());
    auto got = Fresh(row.Lines);
    for (size_t i = 0; i < row.Lines.size(); ++i) {
      if (row.Kinds[i] == "*") continue;
      EXPECT_EQ(got[i], row.Kinds[i]) << "line " << i << ": " << row.Lines[i];
    }
  }
}

TEST(PHPHighlighter, EntersAndLeavesPHP) {
  CheckRows({
      {"open tag in capitals", {"<?PHP echo 1; ?>"}, {"KKKKK-KKKK-N--KK"}},
      {"short open tag with =", {"<?= $a ?>"}, {"KK--VV-KK"}},
      {"<?ph at the end opens PHP at <?", {"a <?ph"}, {".-KK.."}},
      {"?> in a string or comment stays in PHP",
       {"<?php $a = '?>'; // ?> x", "echo"},
       {"KKKKK-VV---SSSS--CCCCCCC", "KKKK"}},
      {"HTML after a one-line block is inside the tag that <? began",
       {"<?php echo 1; ?> Hello <b>"},
       {"KKKKK-KKKK-N--KKVVVVVVVKKK"}},
      {"without a later > the next line is still inside that tag", {"<?php ?> Hi", "x y"}, {"KKKKK-KKVVV", "VVV"}},
  });
}

TEST(PHPHighlighter, PHPCode) {
  CheckRows({
      {"string does not continue on the next line", {"<?php", "$s = 'abc", "def';"}, {"KKKKK", "VV---SSSS", "...SS"}},
      {"block comment continues until */", {"<?php /* a", "b */ c"}, {"KKKKK-CCCC", "CCCC-."}},
      {"# comment to the end of the line", {"<?php # c ?> x"}, {"KKKKK-CCCCCCCC"}},
      {"$this->name", {"<?php", "$this->name;"}, {"*", "VVVVV--....-"}},
      {"hex number; digit inside a word", {"<?php", "x = 0x1F;", "a1 = 5;"}, {"*", ".---NNNN-", "..---N-"}},
      {"escaped quote inside a string", {"<?php", R"("a\"b" . 'c')"}, {"*", "SSSSSS---SSS"}},
      {"heredoc body is code", {"<?php", "$s = <<<EOT", "echo $a", "EOT;"}, {"*", "VV------...", "KKKK-VV", "...-"}},
      {"keywords without regard to case; other words plain", {"<?php", "ECHO Strlen(x) foo"}, {"*", "KKKK-KKKKKK-.--..."}},
      {"after */ a digit is not a number start", {"<?php /**/5"}, {"KKKKK-CCCC."}},
      {"0xB7 is plain, other high bytes are symbols", {"<?php \xB7\xE9"}, {"KKKKK-.-"}},
  });
}

TEST(PHPHighlighter, HTML) {
  CheckRows({
      {"known tag", {"<b>x</B>"}, {"KKK.KKKK"}},
      {"unknown tag: nothing coloured, > stays a symbol", {"<foo>"}, {"-...-"}},
      {"self-closing form is not a known tag name", {"<br/>"}, {"-..--"}},
      {"quoted attribute", {"<a href=\"x\">"}, {"KK-VVVV-SSSK"}},
      {"unquoted attribute values and the space that ends them", {"<a href=x b=1>"}, {"KK-VVVV-AAV-AK"}},
      {"comment", {"<!-- x --> <b>"}, {"CCCCCCCCCC-KKK"}},
      {"<!--> opens a comment that its > does not close", {"<!-->x", "still -->", "<b>"}, {"CCCCCC", "CCCCCCCCC", "KKK"}},
      {"high bytes in HTML text are plain", {"\xE9t\xE9 \xB7"}, {"...-."}},
  });
}

TEST(PHPHighlighter, AttributeValueOpenAtEndOfLine) {
  CheckRows({
      {"closed by its quote on the next line",
       {"<a title=\"one", "two\" href=x>", "<b>"},
       {"KK-VVVVV-SSSS", "SSSSAVVVV-AK", "KKK"}},
      {"the other quote does not close it", {"<a title='it\"s", "x' y=1>"}, {"KK-VVVVV-SSSSS", "SSAV-AK"}},
      {"a > inside the value ends the tag; the next tag starts afresh",
       {"<a title=\"x>y\">", "<b class=\"c\">"},
       {"KK-VVVVV-SSK.-K", "KK-VVVVV-SSSK"}},
  });
}

TEST(PHPHighlighter, ScriptAndStyle) {
  CheckRows({
      {"script words, strings, comments; # is a symbol",
       {"<script>", "var s = \"a // b\"; // c", "a # b"},
       {"KKKKKKKK", "KKK-.---SSSSSSSS--CCCC", ".---."}},
      {"</SCRIPT> in any case ends the script", {"<script>", "x = 1; </ScRiPt>", "<b>"}, {"*", ".---N--KKKKKKKKK", "KKK"}},
      {"a > after a closed script block stays HTML",
       {"<script>x</script>", "a -> b", "if (x)"},
       {"KKKKKKKK.KKKKKKKKK", ".--K-.", "..--.-"}},
      {"script inside an HTML comment",
       {"<script>", "<!--", "var a; // x", "//-->", "</script>"},
       {"*", "CCCC", "KKK-.--CCCC", "CCCCC", "KKKKKKKKK"}},
      {"script opened by a tag with attributes",
       {"<script type=\"text/javascript\">", "return 0x1F;"},
       {"KKKKKKK-VVVV-SSSSSSSSSSSSSSSSSK", "KKKKKK-NNNN-"}},
      {"style without a comment is HTML text",
       {"<style>", "p { color: #FFF; margin: 10px }", "</style>"},
       {"KKKKKKK", ".---.....---...--......--....--", "KKKKKKKK"}},
      {"style inside a comment",
       {"<style>", "<!--", "p { color: #FFF; margin: 10px }", "-->", "</style>"},
       {"KKKKKKK", "CCCC", "K---KKKKK--NNNN--KKKKKK--NNNN--", "---", "KKKKKKKK"}},
      {"hyphenated property, and </STYLE> inside the comment",
       {"<style><!--", "ul { list-style-type: none } </STYLE>", "--> <b>"},
       {"KKKKKKKCCCC", "KK---KKKKKKKKKKKKKKK--KKKK---KKKKKKKK", "CCC-KKK"}},
  });
}

TEST(PHPHighlighter, StripTagAndIsHTMLTag) {
  struct {
    const char* Token;
    const char* Stripped;
    bool Tag;
  } rows[] = {
      {"<b", "B", true},        {"</b>", "B", true},          {"<SCRIPT>", "SCRIPT", true},
      {"style", "STYLE", true}, {"<foo", "FOO", false},       {"<", "", false},
      {"</", "", false},        {"<br/", "BR/", false},       {"<//b", "/B", false},
  };
  TVectorLines lines;
  TPHPHighLight hl(lines);
  for (const auto& r : rows) {
    EXPECT_EQ(TPHPHighLight::StripTag(r.Token), r.Stripped) << r.Token;
    EXPECT_EQ(hl.IsHTMLTag(r.Token), r.Tag) << r.Token;
  }
}

TEST(PHPHighlighter, ColoursOfTheKinds) {
  const std::pair<TCharCtx, TColor> table[] = {
      {ccSpace, RGB(0, 0, 0)},     {ccSym, RGB(0, 128, 0)},  {ccVar, RGB(128, 0, 128)},
      {ccCmt, RGB(128, 128, 128)}, {ccNum, RGB(128, 0, 0)},  {ccStr, RGB(0, 0, 128)},
      {ccKey, RGB(0, 128, 128)},   {ccAttrVal, RGB(0, 0, 128)},
  };
  for (auto [kind, colour] : table) EXPECT_EQ(kCharCtxColors[kind], colour) << int(kind);
  // Draw() checks every cell against the kind it shows; one line with every kind in it.
  EXPECT_EQ(Fresh({"<a x=1 y=\"2\"><?php $v = 3; // c"})[0], "KK-V-AAV-SSSKKKKKK-VV---N--CCCC");
}

TEST(PHPHighlighter, BadCallsAreHarmless) {
  TVectorLines lines({"<?php", "echo 1;"});
  TPHPHighLight hl(lines);
  hl.Reset();
  // Fewer cells than characters: the cells there are coloured, nothing is written past them.
  std::string text = std::string("echo 1;") + kEndOfLineMarker;
  TLineAttrs few(3);
  hl.HighlightLine(nullptr, text, 1, {}, few);
  EXPECT_EQ(few[0].Color, kCharCtxColors[ccKey]);
  EXPECT_EQ(hl.Kinds().size(), text.size());
  // Lines beyond the store, an empty text, a negative line.
  TLineAttrs attrs(text.size() + 2);
  hl.HighlightLine(nullptr, text, 500, {}, attrs);
  EXPECT_EQ(hl.Kinds().size(), text.size());
  hl.HighlightLine(nullptr, "", 3, {}, attrs);
  EXPECT_TRUE(hl.Kinds().empty());
  hl.HighlightLine(nullptr, text, -1, {}, attrs);
  // The store still colours normally afterwards.
  EXPECT_EQ(DrawAll(hl, lines), (std::vector<std::string>{"KKKKK", "KKKK-N-"}));
}

TEST(PHPHighlighter, BindsToTheEditorsHook) {
  // Any store with Count() and Get() serves as the line source.
  struct TStore {
    int Count() const { return 1; }
    std::string Get(int) const { return "<b>"; }
  } store;
  TLineSourceOf<TStore> lines(store);
  TPHPHighLight hl(lines);
  THighlightLineEvent hook = hl.Hook();
  std::string text = std::string("<b>") + kEndOfLineMarker;
  TLineAttrs attrs(text.size() + 1);
  hook(nullptr, text, 0, {}, attrs);
  EXPECT_EQ(attrs[0].Color, RGB(0, 128, 128));
}

}  // namespace
}  // namespace zemblo::test
