// The exception classes every layer raises. Messages are the user-visible texts.
#pragma once

#include <stdexcept>
#include <string>

namespace zemblo {

// Base of all our errors; the GUI's default handler shows what() and carries on.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A file operation failed.
class EInOutError : public Exception {
 public:
  using Exception::Exception;
};

// "Cannot create file "<path>". <reason>"
class EFCreateError : public EInOutError {
 public:
  EFCreateError(const std::string& path, const std::string& reason);
};

// "Cannot open file "<path>". <reason>"
class EFOpenError : public EInOutError {
 public:
  EFOpenError(const std::string& path, const std::string& reason);
};

// A stream could not deliver or take all the bytes asked for.
class EReadError : public EInOutError {
 public:
  EReadError() : EInOutError("Stream read error") {}
};
class EWriteError : public EInOutError {
 public:
  EWriteError() : EInOutError("Stream write error") {}
};

// "List index out of bounds (<index>)"
class EListError : public Exception {
 public:
  explicit EListError(long long index);
};

// The text of an errno value, as the operating system words it.
std::string SysErrorMessage(int error);

}  // namespace zemblo
