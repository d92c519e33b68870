#include <gtest/gtest.h>

#include <map>

#include "window/KXCtlLogic.h"
#include "window/KXProps.h"
#include "window/XML.h"

using namespace zemblo;

namespace {

TKXPropList Props(std::initializer_list<std::pair<const char*, const char*>> pairs) {
  std::vector<TXMLAttribute> a;
  for (auto& [n, v] : pairs) a.push_back({n, v});
  TKXPropList p;
  p.Assign(a);
  return p;
}

// A 1 by 1, 24-bit bitmap of one colour.
std::string OnePixelBmp(uint8_t r, uint8_t g, uint8_t b) {
  std::string f(14 + 40 + 4, '\0');
  auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) f[at + i] = char(v >> (8 * i)); };
  f[0] = 'B', f[1] = 'M';
  put32(10, 54);
  put32(14, 40);
  put32(18, 1);
  put32(22, 1);
  f[26] = 1;
  f[28] = 24;
  f[54] = char(b), f[55] = char(g), f[56] = char(r);
  return f;
}

}  // namespace

TEST(KXPropList, KeepsElementOrderFirstOfARepeatedNameAndCaseInsensitiveNames) {
  TKXPropList p = Props({{"type", "Button"}, {"x", "8"}, {"X", "99"}, {"text", "OK"}});
  ASSERT_EQ(p.Items().size(), 3u);
  EXPECT_EQ(p.Items()[1].Name, "x");
  EXPECT_EQ(p.Get("X"), "8");
  p.Set("TEXT", "Cancel");
  p.Set("onClick", "Ctl_Ok_onClick");
  EXPECT_EQ(p.Items()[2].Name, "text");
  EXPECT_EQ(p.Get("text"), "Cancel");
  EXPECT_EQ(p.Items().back().Name, "onClick");
  EXPECT_EQ(p.Get("missing"), "");
  p.Assign({});
  EXPECT_TRUE(p.Items().empty());
}

TEST(KXGeneralProps, ReadsEachSettingOnItsOwnAndLeavesWhatDoesNotConvert) {
  TKXGeneralProps g = ReadGeneralProps(Props({{"W", "abc"}, {"H", "30"}, {"x", "$10"}, {"y", " -5"},
                                              {"bgColor", "navy"}, {"fontColor", "nonsense"},
                                              {"fontFamily", "Arial"}, {"fontSize", "12"}}));
  EXPECT_FALSE(g.Width);
  EXPECT_EQ(g.Height, 30);
  EXPECT_EQ(g.Left, 16);
  EXPECT_EQ(g.Top, -5);
  EXPECT_EQ(g.BgColor, 0x800000);
  EXPECT_EQ(g.FontColor, clNone);  // named, but no colour: the control's default
  EXPECT_EQ(g.FontFamily, "Arial");
  EXPECT_EQ(g.FontSize, 12);

  TKXGeneralProps none = ReadGeneralProps(Props({{"bgColor", ""}, {"fontSize", "0"}}));
  EXPECT_FALSE(none.BgColor);
  EXPECT_FALSE(none.FontColor);
  EXPECT_FALSE(none.FontFamily);
  EXPECT_FALSE(none.FontSize);
  EXPECT_EQ(none.Anchors, TKXAnchors{});
  EXPECT_EQ(none.FontStyle, TKXFontStyle{});
  for (const char* size : {"-3", "1001", "99999999"})
    EXPECT_FALSE(ReadGeneralProps(Props({{"fontSize", size}})).FontSize) << size;
}

TEST(KXGeneralProps, AnchorsAndStylesCountOnlyTheirLowerCaseLetters) {
  struct Case {
    const char* text;
    TKXAnchors anchors;
    TKXFontStyle style;
  };
  const Case cases[] = {
      {"", {}, {}},
      {"rb", {false, false, true, true}, {false, true, false, false}},
      {"RB", {}, {}},
      {"ltrb", {true, true, true, true}, {false, true, false, false}},
      {"bi", {false, false, false, true}, {true, true, false, false}},
      {"BI", {}, {}},
      {"bold, italic", {true, true, false, true}, {true, true, false, false}},
      {"ius", {}, {true, false, true, true}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseAnchors(c.text), c.anchors) << c.text;
    EXPECT_EQ(ParseFontStyle(c.text), c.style) << c.text;
  }
}

TEST(KXTypeName, ClassNameWithoutItsFirstSevenCharacters) {
  EXPECT_EQ(KXTypeName("TKXCtl_Box"), "Box");
  EXPECT_EQ(KXTypeName("zemblo::TKXCtl_Button"), "Button");
  EXPECT_EQ(KXTypeName("TKXCtl_"), "");
  EXPECT_EQ(KXTypeName("Short"), "");
}

TEST(KXButton, EventLineCallsTheHandlerByItsStoredName) {
  EXPECT_EQ(ButtonEventCode("Ctl_Ok_onClick"), "<?php A()->WndEvent(\"Ctl_Ok_onClick\"); ?>");
  EXPECT_EQ(ButtonEventCode("a\"b"), "<?php A()->WndEvent(\"a\"b\"); ?>");  // unchanged, unescaped
}

TEST(KXText, LinesEndAtCRAndTheByteAfterItGoesWithIt) {
  using L = std::vector<std::string>;
  struct Case {
    const char* content;
    L lines;
  };
  const Case cases[] = {
      {"", {""}},
      {"One", {"One"}},
      {"One\r\nTwo", {"One", "Two"}},
      {"One\r\nTwo\r\n", {"One", "Two"}},
      {"One\r\n\r\nTwo", {"One", "", "Two"}},
      {"One\nTwo", {"One\nTwo"}},       // LF alone is part of the line
      {"One\rXTwo", {"One", "Two"}},    // a lone CR swallows the byte after it
      {"One\r", {"One"}},
      {"\r\n", {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitTextLines(c.content), c.lines) << c.content;
}

TEST(KXText, ContentShadowAndAlignment) {
  std::map<std::string, std::string> files{{"files\\a.txt", "from file"}};
  int reads = 0;
  TKXGetFileFunc get = [&](const std::string& p) {
    ++reads;
    auto it = files.find(p);
    return it == files.end() ? std::string() : it->second;
  };
  EXPECT_EQ(TextControlContent(Props({{"text", "T"}}), get), "T");
  EXPECT_EQ(TextControlContent(Props({{"text", "T"}, {"textFile", "a.txt"}}), get), "from file");
  EXPECT_EQ(TextControlContent(Props({{"text", "T"}, {"textFile", "b.txt"}}), get), "");
  EXPECT_EQ(TextControlContent(Props({{"text", "T"}, {"textFile", "a.txt"}}), nullptr), "");
  EXPECT_EQ(reads, 2);

  for (auto [v, s] : {std::pair{"2", 2}, {"$10", 16}, {"0", 0}, {"-3", 0}, {"", 0}, {"2px", 0}})
    EXPECT_EQ(TextShadowOffset(v), s) << v;
  EXPECT_TRUE(TextCentered("Center"));
  EXPECT_FALSE(TextCentered("centre"));
  EXPECT_EQ(CenteredX(100, 41), 29);
  EXPECT_EQ(CenteredX(10, 15), -2);  // truncated toward zero
}

TEST(KXImageSlot, ReloadsOnlyWhenTheNameChangesWithoutRegardToCase) {
  std::map<std::string, std::string> files{{"images\\a.bmp", OnePixelBmp(1, 2, 3)},
                                           {"images\\bad.bmp", "BM not really"}};
  std::vector<std::string> reads;
  TKXGetFileFunc get = [&](const std::string& p) {
    reads.push_back(p);
    auto it = files.find(p);
    return it == files.end() ? std::string() : it->second;
  };
  TKXImageSlot slot;
  EXPECT_FALSE(slot.Reload("", get));  // two empty names are equal
  EXPECT_TRUE(slot.Reload("a.bmp", get));
  ASSERT_TRUE(slot.Image());
  EXPECT_EQ(slot.Image()->Pixel(0, 0), 0xFF010203u);
  EXPECT_FALSE(slot.Reload("A.BMP", get));  // same name: kept, not read again
  EXPECT_EQ(reads.size(), 1u);

  EXPECT_TRUE(slot.Reload("missing.bmp", get));  // a missing file drops the image...
  EXPECT_FALSE(slot.Image());
  EXPECT_EQ(slot.Name(), "");
  slot.Reload("missing.bmp", get);  // ...and is looked for again next time
  EXPECT_EQ(reads.size(), 3u);

  EXPECT_FALSE(slot.Reload("bad.bmp", get));  // not a bitmap: no image, nothing thrown
  EXPECT_FALSE(slot.Image());
  slot.Reload("a.bmp", get);
  EXPECT_TRUE(slot.Reload("", get));  // an empty name removes the image
  EXPECT_FALSE(slot.Image());
  EXPECT_FALSE(slot.Reload("a.bmp", nullptr));  // no getFile: no image
}
