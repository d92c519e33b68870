// Walks arbitrary bytes as a ZIP archive, extracts every entry it lists, then appends an
// entry and finishes the archive as the writer does.
#include <cstdint>
#include <string>

#include "platform/Stream.h"
#include "zip/PKZIP.h"
#include "zip/StreamPack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  zemblo::TMemoryStream stream(bytes);
  zemblo::TPKZIP zip;
  zip.Open(&stream);
  for (size_t i = 0; i < zip.Entries.size(); ++i) {
    try {
      zip.Extract(i);
    } catch (const zemblo::EZIPError&) {
      // an entry claiming more than its bytes can hold
    }
    zip.Entries[i].Data.clear();
  }

  zemblo::TMemoryStream target(bytes);
  try {
    zemblo::TZIPStrPack pack(target);
    zemblo::TMemoryStream entry("payload");
    pack.Add("zemblo.project.path", entry);
  } catch (const zemblo::EZIPError&) {
    // loaded entries that no directory can describe
  }
  return 0;
}
