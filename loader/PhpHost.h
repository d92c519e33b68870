// PHP embedded in the built program: one interpreter on the main thread, with the framework
// that every project's scripts see (the class Win32Wnd, the function A() and what they
// need from us, registered as the module "zemblo"). What the scripts print and every PHP
// error and warning go to the run log.
#pragma once

#include <string>

namespace zemblo {

class TRunLog;
class TKXProject;

class TPhpHost {
 public:
  // The log and the project (its resource tree holds the windows) must outlive the host.
  // Only one host may exist in a process: PHP keeps its state in globals.
  TPhpHost(TRunLog& log, TKXProject& project);
  ~TPhpHost();
  TPhpHost(const TPhpHost&) = delete;
  TPhpHost& operator=(const TPhpHost&) = delete;

  // Starts the interpreter. False (with a line in the log) when PHP cannot start.
  bool Start();
  // Runs the framework, then the script at `path` (absolute). Returns the exit status: the
  // script's exit() value, 255 after a fatal error or an uncaught exception, else 0.
  int Run(const std::string& path);

 private:
  bool started_ = false;
};

}  // namespace zemblo
