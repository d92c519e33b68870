// The loader: the program every build copies. Run as a built program it finds its project
// through the payload at its own end, runs the project's Main.php in embedded PHP with the
// project folder as working folder, and writes the run log beside itself. Run as itself
// (no payload) it says what it is.
#include <cstdio>
#include <filesystem>
#include <string>

#include "PhpHost.h"
#include "RunLog.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Stream.h"
#include "project/BuildPayload.h"
#include "project/KXProject.h"

using namespace zemblo;

namespace {

// Exit status for a program that could not start its script; PHP's own run uses 255 for
// fatal errors.
constexpr int kLoaderFailure = 1;

void SayWhatIAm(const std::string& exe) {
  std::printf(
      "%s is the loader of programs built with Zemblo.\n"
      "It runs a project only as part of a program that Zemblo built from it: open the\n"
      "project in Zemblo and use Run (F5), or build it with \"zemblo --build <project>.kxp\".\n",
      ExtractFileName(exe).c_str());
}

int RunProject(const TPayload& payload, TRunLog& log) {
  if (payload.Status == TPayload::Damaged) {
    log.Line("The program cannot find its project: " + payload.Problem + ".");
    return kLoaderFailure;
  }
  std::string folder = ProjectFolderOf(payload.ProjectPath);
  if (!DirectoryExists(folder)) {
    log.Line("The project folder \"" + folder + "\" does not exist.");
    return kLoaderFailure;
  }
  std::string script = folder + "Main.php";
  if (!FileExists(script)) {
    log.Line("The project has no script \"" + script + "\".");
    return kLoaderFailure;
  }
  std::error_code ec;
  std::filesystem::current_path(folder, ec);
  if (ec) {
    log.Line("Cannot enter the project folder \"" + folder + "\": " + ec.message() + ".");
    return kLoaderFailure;
  }

  // The windows come from the project's resource file, named in its project file.
  TKXProject project;
  project.Load(folder + ExtractFileName(ExcludeTrailingPathDelimiter(folder)) + ".kxp");

  TPhpHost php(log, project);
  if (!php.Start()) return kLoaderFailure;
  return php.Run(script);
}

}  // namespace

int main() {
  std::string exe = GetExePath();
  TPayload payload;
  try {
    TFileStream self(exe, TFileStream::fmOpenRead);
    payload = ReadPayload(self);
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return kLoaderFailure;
  }
  if (payload.Status == TPayload::None) {
    SayWhatIAm(exe);
    return 0;
  }

  TRunLog log;
  log.Open(ChangeFileExt(exe, ".log"));
  log.Line(TimeStamp() + " " + ExtractFileName(exe) + " started");
  int status = RunProject(payload, log);
  log.Line(TimeStamp() + " " + ExtractFileName(exe) + " ended with exit status " + std::to_string(status));
  return status;
}
