#include "platform/Errors.h"

#include <cstring>

namespace zemblo {

EFCreateError::EFCreateError(const std::string& path, const std::string& reason)
    : EInOutError("Cannot create file \"" + path + "\". " + reason) {}

EFOpenError::EFOpenError(const std::string& path, const std::string& reason)
    : EInOutError("Cannot open file \"" + path + "\". " + reason) {}

EListError::EListError(long long index)
    : Exception("List index out of bounds (" + std::to_string(index) + ")") {}

std::string SysErrorMessage(int error) {
  char buf[256];
  // GNU strerror_r may return a static string instead of filling buf.
  const char* text = strerror_r(error, buf, sizeof buf);
  return text ? text : "Unknown error";
}

}  // namespace zemblo
