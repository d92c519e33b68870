// The samples and the new-project template do what their Info.html promises, driven as a
// user drives them: typing into the inputs, ticking options and pressing the buttons of the
// built program's window, then reading what the window shows.
#include <gtest/gtest.h>

#include <filesystem>

#include "LoaderFixture.h"

using namespace zemblo;

namespace {

class Samples : public test::LoaderFixture {
 protected:
  // The shipped project `folder` copied as `name` (its project file renamed after it), with
  // Main.php replaced when `main` is given; returns its run under `actions`.
  TRun RunSample(const std::string& folder, const std::string& name, const std::string& actions,
                 const std::string& main = "") {
    std::string copy = dir / name + "/";
    std::filesystem::copy(test::SourceDir() + "data/projects/" + folder, copy, std::filesystem::copy_options::recursive);
    if (folder != name) std::filesystem::rename(copy + "New.kxp", copy + name + ".kxp");
    if (!main.empty()) test::WriteAll(copy + "Main.php", main);
    return Run(BuildFolder(copy, name), actions);
  }
};

}  // namespace

TEST_F(Samples, TheCalculatorCalculatesAndRefusesWhatItCannot) {
  struct Case {
    const char *a, *b, *operation;
    bool round;
    const char* result;  // as the Result text shows it, with its colour
  };
  const Case cases[] = {
      {"12", "3", "OpAdd", false, "\"Result: 15\" #000080"},
      {"12", "30", "OpSub", false, "\"Result: -18\" #000080"},
      {"2", "3", "OpDiv", true, "\"Result: 0.67\" #000080"},
      {"2", "3", "OpDiv", false, "\"Result: 0.66666666666667\" #000080"},
      {"1,5", "4", "OpMul", false, "\"Result: 6\" #000080"},
      {"7", "0", "OpDiv", false, "\"Cannot divide by zero.\" #dc143c"},
      {"seven", "1", "OpAdd", false, "\"Please type two numbers.\" #dc143c"},
  };
  std::string actions = "read Result\n";
  std::string expected = "Calculator started.\nautomation: Result \"Result: 15\" #000080 at 16,244 352x28\n";
  bool ticked = false;
  for (const Case& c : cases) {
    actions += std::string("clear A\ntype A ") + c.a + "\nclear B\ntype B " + c.b + "\nclick " + c.operation + "\n";
    if (c.round != ticked) actions += "click Round\n";
    ticked = c.round;
    actions += "click Calc\nread Result\n";
    expected += std::string("automation: Result ") + c.result + " at 16,244 352x28\n";
  }
  actions += "click Clear\nread A\nread B\nread Result\nclose\n";
  expected +=
      "automation: A \"\" #000000 at 140,60 120x24\n"
      "automation: B \"\" #000000 at 140,92 120x24\n"
      "automation: Result \"Result:\" #000080 at 16,244 352x28\n";
  TRun r = RunSample("Calculator", "Calculator", actions);
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(Body(r.Log), expected);
}

TEST_F(Samples, TheGuessingGameAnswersHigherLowerAndFound) {
  // A fixed seed: the first secret from 1 to 20 is then 12, the next from 1 to 100 is 15.
  const char* main = "<?php\nmt_srand(5);\nrequire 'GuessWnd.php';\n(new GuessWnd())->Show();\nA()->Run();\n";
  const char* actions =
      "read Answer\n"
      "type Guess twelve\nclick Try\nread Answer\nread Tries\nclear Guess\n"
      "type Guess 11\nclick Try\nread Answer\n"
      "type Guess 1\nclick Try\nread Answer\n"
      "click Hints\ntype Guess 13\nclick Try\nread Answer\n"
      "type Guess 12\nclick Try\nok\nread Answer\nread Tries\n"
      "click Hard\nclick NewGame\nread Answer\nread Tries\n"
      "type Guess 15\nclick Try\nok\nclose\n";
  TRun r = RunSample("NumberGuess", "NumberGuess", actions, main);
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(Body(r.Log),
            "automation: Answer \"I am thinking of a number from 1 to 20.\" #006400 at 16,248 376x26\n"
            "automation: Answer \"Type a whole number first.\" #dc143c at 16,248 376x26\n"
            "automation: Tries \"Tries: 0\" #606070 at 16,280 376x22\n"
            "automation: Answer \"No, my number is higher. You are very close!\" #ff8c00 at 16,248 376x26\n"
            "automation: Answer \"No, my number is higher.\" #ff8c00 at 16,248 376x26\n"
            "automation: Answer \"No, my number is lower.\" #ff8c00 at 16,248 376x26\n"
            "automation: message box \"Well done\": You found the number in 4 tries.\n"
            "automation: Answer \"Yes, it is 12! Found in 4 tries.\" #006400 at 16,248 376x26\n"
            "automation: Tries \"Tries: 4\" #606070 at 16,280 376x22\n"
            "automation: Answer \"I am thinking of a number from 1 to 100.\" #006400 at 16,248 376x26\n"
            "automation: Tries \"Tries: 0\" #606070 at 16,280 376x22\n"
            "automation: message box \"Well done\": You found the number in 1 tries.\n");
}

TEST_F(Samples, ANewProjectGreetsByName) {
  TRun r = RunSample("VT.NewPrj", "My Program",
                     "read\nclick Hello\nread Answer\ntype Name Ada\nclick Hello\nread Answer\nclose\n");
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(Body(r.Log),
            "Hello from a new Zemblo project!\n"
            "automation: window \"My Program\" 360x180\n"
            "automation: Answer \"Please type your name first.\" #696969 at 20,110 320x40\n"
            "automation: Answer \"Hello, Ada! Nice to meet you.\" #696969 at 20,110 320x40\n");
}
