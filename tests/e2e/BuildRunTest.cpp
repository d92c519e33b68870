// The program folder as a user meets it from the command line: --build and --run of the
// shipped samples and of a project made from the template, without a display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ProgramRunner.h"
#include "TestUtil.h"
#include "kernel/AppKernel.h"
#include "kernel/VantrelINI.h"
#include "platform/Paths.h"
#include "project/NewItems.h"

using namespace zemblo;
using namespace zemblo::test;

namespace {

namespace fs = std::filesystem;

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    CopyProgramFolder(dir / "app");
    fs::create_directories(dir / "projects");
    settings_ = ReadAll(dir / "app/zemblo.ini");
  }
  void TearDown() override {
    EXPECT_EQ(ReadAll(dir / "app/zemblo.ini"), settings_) << "the command line leaves the IDE's settings alone";
  }
  // The IDE with one command, without a display; `env` adds to that environment (and wins).
  TProgramResult Zemblo(const std::string& option, const std::string& file, std::map<std::string, std::string> env = {}) {
    env.insert({{"DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}, {"WAYLAND_DISPLAY", ""}});
    return RunProgram(dir / "app/zemblo", {option, file}, env, 120);
  }
  std::string Sample(const std::string& name) {
    fs::copy(SourceDir() + "data/projects/" + name, dir / "projects/" + name, fs::copy_options::recursive);
    return dir / "projects/" + name + "/" + name + ".kxp";
  }
  std::string CheckProgram(const std::string& exe, const std::string& folder, const std::string& icon) {
    std::string cmd = "python3 " + Quote(SourceDir() + "tests/e2e/check_program.py") + " " + Quote(exe) + " " +
                      Quote(dir / "app/loader/ZembloLdr.exe") + " " + Quote(folder) + " " + Quote(icon) + " >" +
                      Quote(dir / "check.txt") + " 2>&1";
    std::system(cmd.c_str());
    return ReadAll(dir / "check.txt");
  }

  TTempDir dir;

 private:
  std::string settings_;
};

}  // namespace

TEST_F(CommandLine, BuildGivesTheExactLayoutRaisesTheCounterAndRepeatsItself) {
  for (const std::string name : {"Calculator", "NumberGuess"}) {
    SCOPED_TRACE(name);
    std::string kxp = Sample(name);
    std::string folder = dir / "projects/" + name;
    std::string exe = folder + "/exe/" + name + ".exe";
    TProgramResult r = Zemblo("--build", kxp);
    ASSERT_EQ(r.Status, 0) << r.Output;
    EXPECT_EQ(r.Output, exe + "\n");
    EXPECT_EQ(CheckProgram(exe, folder + "/", folder + "/appicon.bmp"), "OK\n");
    EXPECT_NE(ReadAll(kxp).find("[Version]\r\nBuild=1\r\n"), std::string::npos) << ReadAll(kxp);
    EXPECT_TRUE(fs::status(exe).permissions() == (fs::status(dir / "app/loader/ZembloLdr.exe").permissions()));

    std::string first = ReadAll(exe);
    ASSERT_EQ(Zemblo("--build", kxp).Status, 0);
    EXPECT_TRUE(ReadAll(exe) == first) << "building twice gives the same program";
    EXPECT_NE(ReadAll(kxp).find("[Version]\r\nBuild=2\r\n"), std::string::npos);
  }
}

TEST_F(CommandLine, RunPrintsTheRunLogOfSamplesAndOfANewProject) {
  // A new project, made from the template the way the New Project command makes it.
  fs::copy(SourceDir() + "data/projects/VT.NewPrj", dir / "projects/VT.NewPrj", fs::copy_options::recursive);
  IDESettings = new TVantrelINI();
  IDESettings->SetValue("IDE.ProjectsFolder", dir / "projects/");
  std::string name = MakeProject("My Program");
  std::string newProject = NewProjectFileName(name);
  delete IDESettings;
  IDESettings = nullptr;

  struct Case {
    std::string kxp;
    std::string exeName;
    std::string printed;
  };
  const Case cases[] = {
      {Sample("Calculator"), "Calculator.exe", "Calculator started.\n"},
      {Sample("NumberGuess"), "NumberGuess.exe", "Guess the Number started: good luck!\n"},
      {newProject, "Program.exe", "Hello from a new Zemblo project!\n"},
  };
  // The programs show their windows, on Qt's offscreen platform; the automation hook closes
  // each one as a user would.
  WriteAll(dir / "close.txt", "close\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kxp);
    TProgramResult r = Zemblo("--run", c.kxp, {{"QT_QPA_PLATFORM", "offscreen"}, {"ZEMBLO_AUTOMATION", dir / "close.txt"}});
    EXPECT_EQ(r.Status, 0);
    size_t started = r.Output.find(" " + c.exeName + " started\n");
    ASSERT_NE(started, std::string::npos) << r.Output;
    std::string rest = r.Output.substr(started + c.exeName.size() + 10);
    EXPECT_EQ(rest.substr(0, c.printed.size()), c.printed) << r.Output;
    EXPECT_NE(rest.find(" " + c.exeName + " ended with exit status 0\n"), std::string::npos) << r.Output;
    // The log the IDE prints is the one the program left beside itself.
    std::string exe = ExtractFilePath(c.kxp) + "exe/" + c.exeName;
    EXPECT_EQ(ReadAll(ChangeFileExt(exe, ".log")), r.Output);
  }
}

TEST_F(CommandLine, FailuresPrintTheMessageAndExitWithOne) {
  TProgramResult missing = Zemblo("--build", dir / "nowhere/None.kxp");
  EXPECT_EQ(missing.Status, 1);
  EXPECT_EQ(missing.Output, "The project file \"" + dir / "nowhere/None.kxp" + "\" does not exist.\n");

  WriteAll(dir / "P/P.kxp", "[Project]\r\nTitle=No program name\r\n");
  TProgramResult unnamed = Zemblo("--build", dir / "P/P.kxp");
  EXPECT_EQ(unnamed.Status, 1);
  EXPECT_EQ(unnamed.Output, "Cannot create file \"" + dir / "P/exe/" + "\". The project's option \"Produced exe-file\" is empty.\n");
  EXPECT_EQ(ReadAll(dir / "P/P.kxp"), "[Project]\r\nTitle=No program name\r\n") << "a failed build saves nothing";

  TProgramResult run = Zemblo("--run", dir / "P/P.kxp");
  EXPECT_EQ(run.Status, 1);
}
