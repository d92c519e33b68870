#include <gtest/gtest.h>

#include "platform/Text.h"
#include "window/KXColors.h"

using namespace zemblo;

TEST(ParseColor, NamesHashAndDollarForms) {
  struct Case {
    const char* text;
    TColor color;
  };
  const Case cases[] = {
      {"navy", 0x800000},          {"NAVY", 0x800000},          {"AliceBlue", 0xFFF8F0},
      {"aqua", 0xFFFF00},          {"cyan", 0xFFFF00},          {"fuchsia", 0xFF00FF},
      {"magenta", 0xFF00FF},       {"#FF0000", 0x0000FF},       {"$FF0000", 0xFF0000},
      {"#ff", 0xFF0000},           {"$ff", 0x0000FF},           {"#12345678", 0x563412},
      {"#123456", 0x563412},       {"$12345678", 0x123456},     {"#GG0000", 0x0000FF},
      {"#", 0x0000FF},             {"$", 0x0000FF},             {"$-1", 0x0000FF},
      {"# 12", 0x0000FF},          {"transparent", clNone},     {"Grey", clNone},
      {"DarkSlateGrey", clNone},   {"LightGoldenRodYellow", clNone},
      {"", clNone},                {" navy", clNone},           {"navy ", clNone},
      {"0xFF0000", clNone},        {"255", clNone},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseColor(c.text), c.color) << c.text;
}

TEST(ParseColor, TableHoldsEachNameOnceWithTheTopByteClear) {
  auto table = KXColorTable();
  ASSERT_EQ(table.size(), 139u);
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].Color & ~0xFFFFFF, 0) << table[i].Name;
    EXPECT_EQ(ParseColor(UpperCase(table[i].Name)), table[i].Color) << table[i].Name;
    for (size_t j = 0; j < i; ++j) EXPECT_FALSE(SameText(table[j].Name, table[i].Name)) << table[i].Name;
  }
}
