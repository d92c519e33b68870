// Run (F5) as the IDE does it from the command line, with the program's window on the
// screen: a sample's window is driven through the automation hook and the IDE prints the
// run log that tells what the window showed.
#include <gtest/gtest.h>

#include <filesystem>

#include "ProgramRunner.h"
#include "TestUtil.h"

using namespace zemblo::test;

namespace {

namespace fs = std::filesystem;

class RunWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    CopyProgramFolder(dir / "app");
    fs::create_directories(dir / "projects");
    fs::copy(SourceDir() + "data/projects/Calculator", dir / "projects/Calculator", fs::copy_options::recursive);
  }
  // `zemblo --run` of the calculator with an environment of the test's (no X server either way).
  TProgramResult RunCalculator(std::map<std::string, std::string> env) {
    env.insert({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
    return RunProgram(dir / "app/zemblo", {"--run", dir / "projects/Calculator/Calculator.kxp"}, env, 120);
  }
  TTempDir dir;
};

}  // namespace

TEST_F(RunWindows, TheCalculatorAnswersClicksAndTyping) {
  WriteAll(dir / "actions.txt",
           "clear A\ntype A 2\nclear B\ntype B 3\nclick OpMul\nclick Calc\nread Result\n"
           "clear B\ntype B 0\nclick OpDiv\nclick Calc\nread Result\nclose\n");
  TProgramResult r = RunCalculator({{"QT_QPA_PLATFORM", "offscreen"}, {"ZEMBLO_AUTOMATION", dir / "actions.txt"}});
  EXPECT_EQ(r.Status, 0) << r.Output;
  EXPECT_NE(r.Output.find(" Calculator.exe started\n"
                          "Calculator started.\n"
                          "automation: Result \"Result: 6\" #000080 at 16,244 352x28\n"
                          "automation: Result \"Cannot divide by zero.\" #dc143c at 16,244 352x28\n"),
            std::string::npos)
      << r.Output;
  EXPECT_NE(r.Output.find(" Calculator.exe ended with exit status 0\n"), std::string::npos) << r.Output;
}

// Without a display the program cannot show its window; the log says so and where.
TEST_F(RunWindows, WithoutADisplayTheLogSaysWhyNoWindowShowed) {
  TProgramResult r = RunCalculator({{"QT_QPA_PLATFORM", ""}});
  EXPECT_EQ(r.Status, 0) << "the build succeeded: " << r.Output;
  EXPECT_NE(r.Output.find("Calculator started.\n"
                          "PHP Fatal error:  Uncaught Win32Error: The window cannot be shown: no display is available "
                          "(DISPLAY is not set). in " + dir / "projects/Calculator/Main.php:8\n"),
            std::string::npos)
      << r.Output;
  EXPECT_NE(r.Output.find(" Calculator.exe ended with exit status 255\n"), std::string::npos) << r.Output;
}
