// Drives the built program folder as a user would: copies it somewhere else, starts the IDE
// or the loader in it with an environment of the test's choosing, and waits for it.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace zemblo::test {

// Copies the build's program folder (BinDir()) to `dest` (created), keeping permissions.
void CopyProgramFolder(const std::string& dest);

struct TProgramResult {
  int Status = -1;       // exit status, 128 + signal when killed, -1 when it did not end in time
  std::string Output;    // standard output and standard error together
};

// A started program. The environment is the test's own plus `env` (QT_QPA_PLATFORM=offscreen
// unless given; an empty value removes a variable).
class TProgram {
 public:
  TProgram(const std::string& exe, const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
           const std::string& workDir = "");
  ~TProgram();
  pid_t Pid() const { return pid_; }
  void Signal(int sig);
  // Waits up to `seconds`; kills the program when it does not end in time.
  TProgramResult Wait(double seconds);
  bool Running();

 private:
  pid_t pid_ = -1;
  std::string outPath_;
  int status_ = -1;
  bool done_ = false;
};

// Starts, waits, returns.
TProgramResult RunProgram(const std::string& exe, const std::vector<std::string>& args,
                          const std::map<std::string, std::string>& env = {}, double seconds = 60,
                          const std::string& workDir = "");

}  // namespace zemblo::test
