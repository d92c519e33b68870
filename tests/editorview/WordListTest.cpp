#include <gtest/gtest.h>

#include "HighlightFixture.h"
#include "editorview/WordList.h"
#include "platform/Errors.h"
#include "platform/Text.h"

namespace zemblo::test {
namespace {

using Words = std::vector<std::string>;

TEST(WordList, SplitsAtSpacesAndLineBreaks) {
  struct {
    const char* Text;
    Words Expected;
  } rows[] = {
      {"b a", {"A", "B"}},
      {"a\r\nb\rc\nd", {"A", "B", "C", "D"}},
      {"  a \n\n\r\r b  ", {"A", "B"}},
      {"first last", {"FIRST", "LAST"}},
      {"Echo ECHO echo", {"ECHO"}},
      {"list-style-type\tx", {"LIST-STYLE-TYPE\tX"}},  // a tab is not a separator
      {"", {}},
      {" \r\n", {}},
  };
  for (const auto& r : rows) {
    TWordList list;
    list.SetText(r.Text);
    EXPECT_EQ(list.Words(), r.Expected) << r.Text;
  }
}

TEST(WordList, AddKeepsItSortedAndSingle) {
  TWordList list;
  for (const char* w : {"zeta", "Alpha", "", "ALPHA", "mid", "alpha"}) list.Add(w);
  EXPECT_EQ(list.Words(), (Words{"ALPHA", "MID", "ZETA"}));
  EXPECT_TRUE(list.Contains("aLpHa"));
  EXPECT_TRUE(list.ContainsUpper("MID"));
  EXPECT_FALSE(list.ContainsUpper("mid"));
  EXPECT_FALSE(list.Contains(""));
  EXPECT_FALSE(list.Contains("alphabet"));
  EXPECT_FALSE(list.Contains("zetas"));
}

TEST(WordList, MissingResourceIsAnError) {
  TWordList list;
  try {
    LoadWordList(list, "NoSuchList");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Resource NoSuchList not found");
  }
}

// The lists compiled into the program: upper case, strictly sorted, and holding what the
// highlighter relies on.
TEST(WordList, TheProgramsLists) {
  TVectorLines none;
  TPHPHighLight hl(none);
  struct {
    const TWordList& List;
    int AtLeast;
    Words Samples;
  } lists[] = {
      {hl.PHPWords(), 1500, {"ECHO", "FUNCTION", "PARENT", "STRLEN", "ARRAY_MAP", "E_ALL", "PHP_EOL", "__CLASS__"}},
      {hl.HTMLTagWords(), 100, {"A", "WBR", "SCRIPT", "STYLE", "H1", "TABLE"}},
      {hl.JSWords(), 600, {"FUNCTION", "DOCUMENT", "GETELEMENTBYID", "MATH", "INNERHTML", "ALERT"}},
      {hl.CSSWords(), 250, {"LIST-STYLE-TYPE", "COLOR", "BODY", "NONE", "SANS-SERIF", "VERDANA"}},
  };
  for (const auto& l : lists) {
    const auto& words = l.List.Words();
    EXPECT_GE(l.List.Count(), l.AtLeast);
    for (size_t i = 0; i < words.size(); ++i) {
      EXPECT_EQ(words[i], UpperCase(words[i]));
      if (i > 0) {
        EXPECT_LT(words[i - 1], words[i]);
      }
    }
    for (const auto& w : l.Samples) EXPECT_TRUE(l.List.Contains(w)) << w;
  }
  EXPECT_TRUE(hl.IsPHPWord("echo"));
  EXPECT_TRUE(hl.IsJSWord("getElementById"));
  EXPECT_TRUE(hl.IsCSSWord("margin-top"));
  EXPECT_FALSE(hl.IsPHPWord("getElementById"));
}

}  // namespace
}  // namespace zemblo::test
