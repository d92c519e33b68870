#include "zip/StreamPack.h"

#include <exception>

#include "platform/Text.h"

namespace zemblo {

TZIPStrPack::TZIPStrPack(TStream& target) : uncaughtAtCreation_(std::uncaught_exceptions()) { Pack.Open(&target); }

TZIPStrPack::~TZIPStrPack() noexcept(false) {
  if (!Modified) return;
  if (std::uncaught_exceptions() > uncaughtAtCreation_) {
    // Already unwinding: a second exception would end the program, and the archive is
    // being abandoned with whatever failed.
    try {
      Pack.WriteDirectory();
    } catch (...) {
    }
    return;
  }
  Pack.WriteDirectory();
}

void TZIPStrPack::Add(const std::string& name, TStream& source) {
  Pack.AddEntry(name, source);
  Modified = true;
}

std::unique_ptr<TMemoryStream> TZIPStrPack::GetStream(const std::string& name) {
  auto result = std::make_unique<TMemoryStream>();
  const std::string wanted = AnsiUpperCase(name);
  for (size_t i = 0; i < Pack.Entries.size(); ++i) {
    if (AnsiUpperCase(Pack.Entries[i].Name) != wanted) continue;
    Pack.Extract(i);
    const std::string& data = Pack.Entries[i].Data;
    result->WriteBuffer(data.data(), data.size());
    result->SetPosition(0);
  }
  return result;
}

}  // namespace zemblo
