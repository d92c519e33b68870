// Programs built from small projects with the real loader of the program folder, run as a
// user runs them, and their run logs.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <string>

#include "ProgramRunner.h"
#include "TestUtil.h"
#include "kernel/AppKernel.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "project/KXProject.h"
#include "project/ProjectBuilder.h"

namespace zemblo::test {

class LoaderFixture : public ::testing::Test {
 protected:
  // The builder takes the loader from the program folder; nothing else of the kernel runs,
  // so the program folder's settings stay untouched.
  void SetUp() override {
    SystemFunctions = new TSystemFunctions();
    SystemFunctions->SetExeNameForTesting(BinDir() + "zemblo");
  }
  void TearDown() override {
    delete SystemFunctions;
    SystemFunctions = nullptr;
  }

  // Writes the files into dir/<name>/ (a project file naming <name>.exe and res.xml unless
  // given), builds it and returns the program's path.
  std::string Build(const std::map<std::string, std::string>& files, const std::string& name = "P") {
    std::string folder = dir / name + "/";
    WriteAll(folder + name + ".kxp", "[Build]\r\nExeName=" + name + ".exe\r\n[Resource]\r\nFile=res.xml\r\n");
    for (const auto& [file, bytes] : files) WriteAll(folder + file, bytes);
    return BuildFolder(folder, name);
  }
  std::string BuildFolder(const std::string& folder, const std::string& name) {
    TKXProject project;
    project.Load(folder + name + ".kxp");
    TProjectBuilder().Build(project);
    return TProjectBuilder::ExeFileName(project);
  }

  struct TRun {
    int Status;
    std::string Output;  // what the program wrote to the terminal
    std::string Log;     // its run log ("" when it wrote none)
  };
  // Runs the program under Qt's offscreen platform. With `actions`, the automation hook
  // performs them (one a line) on its windows; `env` adds to or (with "") removes from the
  // environment.
  TRun Run(const std::string& exe, const std::string& actions = "", std::map<std::string, std::string> env = {}) {
    if (!actions.empty()) {
      WriteAll(dir / "actions.txt", actions);
      env.emplace("ZEMBLO_AUTOMATION", dir / "actions.txt");
    }
    TProgramResult r = RunProgram(exe, {}, env, 60);
    std::string log = exe.substr(0, exe.rfind('.')) + ".log";
    struct stat st;
    return {r.Status, r.Output, ::stat(log.c_str(), &st) == 0 ? ReadAll(log) : std::string()};
  }
  // The same without any display: no X server, no Wayland, no offscreen platform.
  TRun RunWithoutDisplay(const std::string& exe) {
    return Run(exe, "", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}});
  }

  // The run log between its start and end lines.
  static std::string Body(const std::string& log) {
    size_t from = log.find('\n') + 1;
    size_t to = log.rfind('\n', log.size() >= 2 ? log.size() - 2 : 0) + 1;
    return from < to ? log.substr(from, to - from) : std::string();
  }

  TTempDir dir;
};

}  // namespace zemblo::test
