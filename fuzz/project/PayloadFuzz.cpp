// Any bytes as a program file: finding the payload never crashes or raises, and what it
// reports is consistent with the file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Stream.h"
#include "project/BuildPayload.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zemblo::TMemoryStream file(std::string_view(reinterpret_cast<const char*>(data), size));
  zemblo::TPayload p = zemblo::ReadPayload(file);
  int64_t n = static_cast<int64_t>(size);
  switch (p.Status) {
    case zemblo::TPayload::None:
      if (p.ImageSize != n || !p.ProjectPath.empty()) std::abort();
      break;
    case zemblo::TPayload::Damaged:
      if (p.Problem.empty() || !p.ProjectPath.empty()) std::abort();
      break;
    case zemblo::TPayload::Found:
      if (p.ProjectPath.empty() || p.ImageSize < 0 || p.ImageSize > n - zemblo::kPayloadTrailerSize) std::abort();
      if (zemblo::ProjectFolderOf(p.ProjectPath).empty()) std::abort();
      break;
  }
  return 0;
}
