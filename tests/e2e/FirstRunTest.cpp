// A fresh program folder: the settings file the build puts there asks for the first run,
// which unpacks every archive of prjzip/ into the user's projects folder once.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "ProgramRunner.h"
#include "TestUtil.h"

using namespace zemblo::test;

namespace {

namespace fs = std::filesystem;

// Every file below `folder`, by relative path, with its bytes.
std::map<std::string, std::string> Files(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) files[fs::relative(e.path(), folder).string()] = ReadAll(e.path().string());
  return files;
}

// Starts the IDE with an empty home, lets it come up, and closes it as the session's end does.
void StartAndClose(const std::string& app, const std::string& home) {
  TProgram ide(app + "zemblo", {},
               {{"HOME", home}, {"XDG_CONFIG_HOME", home + ".config"}, {"XDG_DOCUMENTS_DIR", ""}});
  std::this_thread::sleep_for(std::chrono::seconds(3));
  ASSERT_TRUE(ide.Running()) << ide.Wait(0).Output;
  ide.Signal(SIGTERM);
  TProgramResult r = ide.Wait(10);
  EXPECT_EQ(r.Status, 0) << r.Output;
}

}  // namespace

TEST(FirstRun, UnpacksEverySampleOnceByteForByte) {
  TTempDir dir;
  CopyProgramFolder(dir / "app");
  ASSERT_EQ(ReadAll(dir / "app/zemblo.ini"), "[Init]\r\nRequires=1\r\n\r\n");
  std::string home = dir / "home/";
  fs::create_directories(home);

  StartAndClose(dir / "app/", home);
  std::string projects = home + "Zemblo/";
  std::vector<std::string> shipped;
  for (const auto& e : fs::directory_iterator(BinDir() + "prjzip")) shipped.push_back(e.path().stem().string());
  ASSERT_GE(shipped.size(), 3u);
  for (const std::string& name : shipped) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(Files(projects + name) == Files(SourceDir() + "data/projects/" + name));
  }
  std::string settings = ReadAll(dir / "app/zemblo.ini");
  EXPECT_NE(settings.find("ProjectsFolder=" + projects + "\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("[Init]\r\nRequires=0\r\n"), std::string::npos) << settings;

  // The second start unpacks nothing: what the user changed or removed stays so.
  WriteAll(projects + "Calculator/Main.php", "<?php echo 'mine';");
  fs::remove(projects + "NumberGuess/Info.html");
  StartAndClose(dir / "app/", home);
  EXPECT_EQ(ReadAll(projects + "Calculator/Main.php"), "<?php echo 'mine';");
  EXPECT_FALSE(fs::exists(projects + "NumberGuess/Info.html"));
}
