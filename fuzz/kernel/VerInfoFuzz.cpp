// Any bytes as an executable whose version the About box reads.
#include <cstdint>
#include <string_view>

#include "kernel/VerInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  zemblo::TFileVersionInfo v("");
  v.ReadVersionFrom(bytes);
  if (auto block = zemblo::FindVersionBlock(bytes)) {
    zemblo::QueryVersionValue(*block, "\\StringFileInfo\\040904E4\\ProductName");
    zemblo::QueryVersionValue(*block, "\\\\VarFileInfo\\");
  }
  return 0;
}
