// Any bytes as a settings or project file: loading never crashes, and a saved store reads
// back to the same bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "kernel/VantrelINI.h"
#include "platform/FileSystem.h"

namespace {
std::string TempPath(const char* tag) {
  return "/tmp/zemblo-fuzz-ini-" + std::to_string(::getpid()) + tag;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string in = TempPath(".in"), out = TempPath(".out");
  zemblo::WriteFileBytes(in, std::string(reinterpret_cast<const char*>(data), size));
  zemblo::TVantrelINI ini;
  ini.LoadFromFile(in);
  ini.SaveToFile(out);
  std::string first = zemblo::ReadFileBytes(out);
  zemblo::TVantrelINI back;
  back.LoadFromFile(out);
  if (back.SaveToString() != first) std::abort();
  return 0;
}
