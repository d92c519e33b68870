// Any bytes as a resource file: reading never crashes, and what we then write reads back to
// the very same bytes.
#include <cstdint>
#include <cstdlib>

#include "platform/Stream.h"
#include "window/XML.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zemblo::TMemoryStream in(std::string_view(reinterpret_cast<const char*>(data), size));
  zemblo::TXMLTree tree;
  tree.LoadFromStream(in);
  std::string saved = tree.SaveToString();
  zemblo::TMemoryStream again(saved);
  zemblo::TXMLTree back;
  back.LoadFromStream(again);
  if (back.SaveToString() != saved) std::abort();
  return 0;
}
