// Any bytes as a settings or project file: loading never crashes, and saving and loading
// again settles. What the program writes itself reads back unchanged (the unit tests show
// that); hand-made oddities are normalised, one layer a save: a key that begins with "." is
// written under "[]" and reads back without the dot, and a name that then starts with blanks
// or control bytes loses them, as every line is trimmed when read.
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
  std::string saved = ini.SaveToString();
  // Every normalising pass removes at least one byte of some key, so the text settles within
  // as many passes as the input has bytes.
  for (size_t pass = 0; pass <= size + 1; ++pass) {
    zemblo::WriteFileBytes(out, saved);
    zemblo::TVantrelINI back;
    back.LoadFromFile(out);
    std::string again = back.SaveToString();
    if (again == saved) return 0;
    saved = again;
  }
  std::abort();
}
