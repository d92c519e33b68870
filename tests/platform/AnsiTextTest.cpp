#include <gtest/gtest.h>

#include "platform/qt/AnsiText.h"

using namespace zemblo;

TEST(AnsiText, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  QString s = FromAnsi(all);
  EXPECT_EQ(s.size(), 256);
  EXPECT_EQ(ToAnsi(s), all);
  EXPECT_EQ(FromAnsi("\x80")[0].unicode(), 0x20AC);  // the euro sign
  EXPECT_EQ(ToAnsi(QString::fromUtf8("\xE2\x82\xAC \xE4\xB8\xAD")), "\x80 ?");
}
