// Any bytes as a settings or project file: loading never crashes, and once saved, a store
// reads back to the same bytes. (The first save may normalise what the program never writes
// itself: a key that begins with "." is written under "[]" and reads back without the dot.)
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
  zemblo::TVantrelINI once;
  once.LoadFromFile(out);
  once.SaveToFile(out);
  std::string saved = zemblo::ReadFileBytes(out);
  zemblo::TVantrelINI back;
  back.LoadFromFile(out);
  if (back.SaveToString() != saved) std::abort();
  return 0;
}
