// PHP embedded in the built program: one interpreter on the main thread, with the framework
// that every project's scripts see (the classes Win32Wnd and friends, the function A(), and
// the functions of the module "zemblo" they stand on). What the scripts print and every PHP
// error and warning go to the run log.
#pragma once

#include <string>

#include "Runtime.h"

namespace zemblo {

class TRunLog;

class TPhpHost {
 public:
  // The log and the runtime must outlive the host. Only one host may exist in a process:
  // PHP keeps its state in globals.
  TPhpHost(TRunLog& log, TRuntime& runtime);
  ~TPhpHost();
  TPhpHost(const TPhpHost&) = delete;
  TPhpHost& operator=(const TPhpHost&) = delete;

  // Starts the interpreter. False (with a line in the log) when PHP cannot start.
  bool Start();
  // Runs the framework, then the script at `path` (absolute). Returns the exit status: the
  // script's exit() value, 255 after a fatal error or an uncaught exception, else 0.
  int Run(const std::string& path);
  // Runs one event line ("<?php A()->WndEvent("..."); ?>", read as a file is: text outside
  // the PHP tags is output) while the script waits in the event loop. An exception the
  // handler does not catch goes to the script's exception handler if it set one, else to
  // the log as a warning with its file, line and stack trace; the program goes on.
  TEventOutcome RunEvent(const std::string& phpCode);

 private:
  bool started_ = false;
};

}  // namespace zemblo
