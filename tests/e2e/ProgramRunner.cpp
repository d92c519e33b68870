#include "ProgramRunner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "TestUtil.h"

extern char** environ;

namespace zemblo::test {

namespace fs = std::filesystem;

void CopyProgramFolder(const std::string& dest) {
  fs::create_directories(dest);
  fs::copy(BinDir(), dest, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

TProgram::TProgram(const std::string& exe, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env, const std::string& workDir) {
  std::map<std::string, std::string> vars;
  for (char** e = environ; *e; ++e) {
    std::string s = *e;
    size_t eq = s.find('=');
    if (eq != std::string::npos) vars[s.substr(0, eq)] = s.substr(eq + 1);
  }
  vars["QT_QPA_PLATFORM"] = "offscreen";
  for (const auto& [k, v] : env) {
    if (v.empty()) vars.erase(k);
    else vars[k] = v;
  }
  std::vector<std::string> envText;
  for (const auto& [k, v] : vars) envText.push_back(k + "=" + v);
  std::vector<char*> envp;
  for (auto& s : envText) envp.push_back(s.data());
  envp.push_back(nullptr);

  std::vector<std::string> argText{exe};
  argText.insert(argText.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& s : argText) argv.push_back(s.data());
  argv.push_back(nullptr);

  char tmpl[] = "/tmp/zemblo-out-XXXXXX";
  int fd = ::mkstemp(tmpl);
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  outPath_ = tmpl;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fd, 1);
  posix_spawn_file_actions_adddup2(&actions, fd, 2);
  if (!workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
  int rc = ::posix_spawn(&pid_, exe.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(fd);
  if (rc != 0) throw std::runtime_error("cannot start " + exe);
}

TProgram::~TProgram() {
  if (!done_ && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (!outPath_.empty()) ::unlink(outPath_.c_str());
}

void TProgram::Signal(int sig) {
  if (!done_) ::kill(pid_, sig);
}

bool TProgram::Running() {
  if (done_) return false;
  int st;
  if (::waitpid(pid_, &st, WNOHANG) == pid_) {
    done_ = true;
    status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
  }
  return !done_;
}

TProgramResult TProgram::Wait(double seconds) {
  auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (Running() && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  TProgramResult r;
  if (Running()) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    done_ = true;
    r.Status = -1;
  } else {
    r.Status = status_;
  }
  r.Output = ReadAll(outPath_);
  return r;
}

TProgramResult RunProgram(const std::string& exe, const std::vector<std::string>& args,
                          const std::map<std::string, std::string>& env, double seconds, const std::string& workDir) {
  TProgram p(exe, args, env, workDir);
  return p.Wait(seconds);
}

}  // namespace zemblo::test
