// The loader: the program every build copies. Run as a built program it finds its project
// through the payload at its own end, runs the project's Main.php in embedded PHP with the
// project folder as working folder, shows the windows the script shows (built from the
// project's resource file, with the program's own icon) and writes the run log beside
// itself. Run as itself (no payload) it says what it is.
//
// The run log (the program's path with ".log") holds a start line, everything the script
// printed, every PHP error, warning and notice, and an end line with the exit status:
// - an exception a button's handler does not catch is logged as a warning with its file,
//   line and stack trace, and the program goes on;
// - a fatal error (in the script or in a handler) or an uncaught exception in the script's
//   own code ends the run with status 255;
// - exit(n), in the script or in a handler, ends it with status n;
// - a program that cannot find its project, or PHP that cannot start, ends with status 1.
// A script that shows no window needs no display. Showing a window without one is an
// exception in the script ("The window cannot be shown: no display is available ...").
//
// Automation hook, for tests only and off unless asked for: when the environment variable
// ZEMBLO_AUTOMATION names a file of actions, the program performs them on its windows while
// its event loop runs (type into inputs, click buttons, read what controls show into the
// run log, answer message boxes, close the window, save a picture). The actions are listed
// in Automation.h.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "PhpHost.h"
#include "RunLog.h"
#include "Runtime.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Stream.h"
#include "project/BuildPayload.h"
#include "project/KXProject.h"

using namespace zemblo;

#if defined(__SANITIZE_ADDRESS__)
// D-Bus, which Qt's X11 platform opens, keeps a buffer until the process ends; a sanitizer
// build that shows its windows on a real display must not fail its exit status over it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif

namespace {

// Exit status for a program that could not start its script; PHP's own run uses 255 for
// fatal errors.
constexpr int kLoaderFailure = 1;
constexpr int kFatalStatus = 255;

void SayWhatIAm(const std::string& exe) {
  std::printf(
      "%s is the loader of programs built with Zemblo.\n"
      "It runs a project only as part of a program that Zemblo built from it: open the\n"
      "project in Zemblo and use Run (F5), or build it with \"zemblo --build <project>.kxp\".\n",
      ExtractFileName(exe).c_str());
}

// The pixels of the program's icon: the block at the end of the loader image (the builder
// wrote the project's icon over the loader's own there), after its 40-byte header; "" when
// the image ends in no 32 by 32, 24-bit icon.
std::string IconPixels(const std::string& exe, int64_t imageSize) {
  constexpr int64_t kHeader = 40, kPixels = 32 * 32 * 3, kMask = 32 * 32 / 8;
  if (imageSize < kHeader + kPixels + kMask) return "";
  try {
    TFileStream self(exe, TFileStream::fmOpenRead);
    self.SetPosition(imageSize - kMask - kPixels - kHeader);
    std::string block(kHeader + kPixels, '\0');
    self.ReadBuffer(block.data(), block.size());
    auto le = [&](int at, int n) {
      uint32_t v = 0;
      for (int i = n - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(block[at + i]);
      return v;
    };
    if (le(0, 4) != 40 || le(4, 4) != 32 || le(8, 4) != 64 || le(14, 2) != 24) return "";
    return block.substr(kHeader);
  } catch (const Exception&) {
    return "";
  }
}

int RunProject(const std::string& exe, const TPayload& payload, TRunLog& log) {
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

  // The runtime outlives PHP: the script's objects are destroyed when PHP shuts down, and
  // their windows with them.
  TRuntime runtime(log, project);
  runtime.SetIconPixels(IconPixels(exe, payload.ImageSize));
  runtime.SetProgramName(ChangeFileExt(ExtractFileName(exe), ""));
  runtime.SetFatalExit([&log, &exe] {
    // Qt cannot go on (it lost its display, say): end here rather than abort.
    log.Line(TimeStamp() + " " + ExtractFileName(exe) + " ended with exit status " + std::to_string(kFatalStatus));
    std::_Exit(kFatalStatus);
  });
  TPhpHost php(log, runtime);
  if (!php.Start()) return kLoaderFailure;
  int status = php.Run(script);
  if (status == 0 && runtime.AnyVisible() && !runtime.RunCalled())
    log.Line("The script ended while its windows were shown; A()->Run() keeps them on the screen until they are closed.");
  return status;
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
  int status = RunProject(exe, payload, log);
  log.Line(TimeStamp() + " " + ExtractFileName(exe) + " ended with exit status " + std::to_string(status));
  return status;
}
