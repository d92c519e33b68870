#include <gtest/gtest.h>

#include "TestUtil.h"
#include "project/KXProject.h"
#include "project/PrjOptions.h"

using namespace zemblo;

namespace {
// A grid as the main window's options grid behaves: rows of name=value, one current row,
// values edited in place.
class TFakeGrid : public IOptionsGrid {
 public:
  std::vector<std::pair<std::string, std::string>> rows;
  size_t current = 0;
  int fills = 0;
  void SetRows(const std::vector<std::string>& r) override {
    rows.clear();
    for (const auto& t : r) rows.push_back({t.substr(0, t.find('=')), t.substr(t.find('=') + 1)});
    ++fills;
  }
  std::string CurrentName() override { return rows[current].first; }
  std::string ValueOf(const std::string& name) override {
    for (auto& r : rows)
      if (r.first == name) return r.second;
    return "";
  }
  void Edit(const std::string& label, const std::string& value) {
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].first == label) {
        rows[i].second = value;
        current = i;
      }
  }
};

class Options : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteAll(dir / "C/C.kxp", "[Version]\r\nMajor=1\r\n");
    project.Load(dir / "C/C.kxp");
    options.Grid = &grid;
  }
  test::TTempDir dir;
  TKXProject project;
  TPrjOptions options{project};
  TFakeGrid grid;
};
}  // namespace

TEST_F(Options, ShowsSeventeenRowsWithSeparators) {
  options.ShowOptions();
  ASSERT_EQ(grid.rows.size(), 17u);
  EXPECT_EQ(grid.rows[0].first, "Project description");
  EXPECT_EQ(grid.rows[1], std::make_pair(std::string(" "), std::string()));
  EXPECT_EQ(grid.rows[2], std::make_pair(std::string("Version major"), std::string("1")));
  EXPECT_EQ(grid.rows[8].first, "Produced exe-file");
  EXPECT_EQ(grid.rows[16].first, "Author comments");
}

TEST_F(Options, EnterStoresAndSavesAtOnce) {
  options.ShowOptions();
  grid.Edit("Produced exe-file", "Calc.exe");
  options.ApplyRow();
  std::string file = test::ReadAll(dir / "C/C.kxp");
  EXPECT_NE(file.find("[Build]\r\nExeName=Calc.exe\r\n"), std::string::npos);
  // Every option key was read once, so every one is in the file.
  EXPECT_NE(file.find("[Authorship]\r\nComments=\r\n"), std::string::npos);
  EXPECT_EQ(grid.ValueOf("Produced exe-file"), "Calc.exe");
  grid.Edit("Project Title", "a=b");
  options.ApplyRow();
  EXPECT_EQ(project.INI.GetValue("Project.Title"), "a=b");
}

TEST_F(Options, ASeparatorRowStoresNothing) {
  options.ShowOptions();
  grid.current = 1;
  int fills = grid.fills;
  options.ApplyRow();
  EXPECT_EQ(grid.fills, fills);
  EXPECT_FALSE(test::ReadAll(dir / "C/C.kxp").find("[Authorship]") != std::string::npos);
}
