// Any bytes as the name of an archive entry: the path it is unpacked to is empty, or relative,
// without a drive, without a ".." step and without a NUL, so it stays below the destination.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Paths.h"
#include "project/PostInstall.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string name(reinterpret_cast<const char*>(data), size);
  std::string target = zemblo::EntryTargetPath(name);
  if (target.empty()) return 0;
  if (target.find('\0') != std::string::npos || zemblo::IsPathDelimiter(target[0])) std::abort();
  if (target.size() > 1 && target[1] == ':') std::abort();
  size_t start = 0;
  while (start <= target.size()) {
    size_t end = start;
    while (end < target.size() && !zemblo::IsPathDelimiter(target[end])) ++end;
    if (target.compare(start, end - start, "..") == 0) std::abort();
    start = end + 1;
  }
  return 0;
}
