// The run log of a built program: the program's path with ".log", written anew at every
// start. It holds a start line, everything the script printed, every PHP error and warning,
// and an end line with the exit status; the IDE shows it unchanged after a run.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zemblo {

class TFileStream;

class TRunLog {
 public:
  TRunLog();
  ~TRunLog();
  // Creates (or empties) the log. False when it cannot be written; every later call then
  // writes to standard error instead, so nothing the program says is lost.
  bool Open(const std::string& path);
  // Bytes exactly as the script printed them.
  void Write(std::string_view bytes);
  // One line of our own (or a PHP message), always starting on a line of its own.
  void Line(std::string_view text);

 private:
  std::unique_ptr<TFileStream> file_;
  bool atLineStart_ = true;
};

// "2025-03-01 14:05:09", local time.
std::string TimeStamp();

}  // namespace zemblo
