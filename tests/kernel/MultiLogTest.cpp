#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "TestUtil.h"
#include "kernel/MultiLog.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

using namespace zemblo;

TEST(MultiLog, PrefixIsUpperCaseHexWithEightDigitIds) {
  EXPECT_EQ(LogPrefix(0x1a2b, 7, 0x9ABCDEF012LL), "00001A2B:00000007:9ABCDEF012:");
  EXPECT_EQ(LogPrefix(0xFEDCBA98u, 0, 1), "FEDCBA98:00000000:1:");
}

TEST(MultiLog, TimeStampCountsDaysSince1899) {
  // 2026 lies about 46,000 days after 30 December 1899.
  long long stamp = LogTimeStamp();
  EXPECT_GT(stamp, 46000LL * 100000000LL);
  EXPECT_LT(stamp, 50000LL * 100000000LL);
}

// The log's whole life in one process: off without a file, then on with one.
TEST(MultiLog, OnlyAnExistingFileTurnsItOn) {
  std::string path = MultiLogPath();
  ::remove(path.c_str());
  MultiLogStart();
  EXPECT_FALSE(MultiLogEnabled());
  WriteLog("lost");
  EXPECT_FALSE(FileExists(path));

  test::WriteAll(path, "old content from an earlier run\r\n");
  MultiLogStart();
  ASSERT_TRUE(MultiLogEnabled());
  WriteLog("one\r\ntwo");
  MultiLogEnd();
  WriteLog("after the end");
  std::string log = test::ReadAll(path);
  ::remove(path.c_str());

  EXPECT_EQ(log.find("old content"), std::string::npos);
  std::vector<std::string> lines;
  for (size_t p = 0, q; (q = log.find("\r\n", p)) != std::string::npos; p = q + 2) lines.push_back(log.substr(p, q - p));
  ASSERT_GE(lines.size(), 6u);
  // Every line: pid:tid:stamp: then the text.
  std::string pid = LogPrefix(CurrentProcessId(), 0, 0).substr(0, 9);
  for (const auto& l : lines) EXPECT_EQ(l.substr(0, 9), pid) << l;
  auto text = [](const std::string& l) { return l.substr(l.find(':', l.find(':', 9) + 1) + 1); };
  EXPECT_EQ(text(lines[0]), "================| " + path + " |================");
  EXPECT_EQ(text(lines[1]), "+SysInfo");
  EXPECT_EQ(text(lines[2]).rfind(" CPU x", 0), 0u);
  EXPECT_EQ(text(lines[3]).rfind(" RAM ", 0), 0u);
  // A two-line message is two lines with the same prefix.
  auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return text(l) == "one"; });
  ASSERT_NE(at, lines.end());
  ASSERT_NE(at + 1, lines.end());
  EXPECT_EQ(text(at[1]), "two");
  EXPECT_EQ(at[0].substr(0, at[0].size() - 3), at[1].substr(0, at[1].size() - 3));
  EXPECT_EQ(text(lines[lines.size() - 2]).rfind("Memory Leak Guard - Count:", 0), 0u);
  EXPECT_EQ(text(lines.back()), std::string(45, '='));
  EXPECT_EQ(log.find("after the end"), std::string::npos);
}
