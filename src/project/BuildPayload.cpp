#include "project/BuildPayload.h"

#include <cstring>

#include "platform/Paths.h"
#include "zip/StreamPack.h"

namespace zemblo {

namespace {
// A project path is a few hundred bytes; an archive claiming more than this is not ours, and
// refusing it keeps a damaged length (or an entry's claimed size, at most 1,032 times its
// share of the archive) from asking for gigabytes.
constexpr int64_t kMaxArchiveSize = 64 * 1024;
}  // namespace

std::unique_ptr<TMemoryStream> MakeProjectZip(const std::string& projectFolder) {
  auto zip = std::make_unique<TMemoryStream>();
  {
    TZIPStrPack pack(*zip);
    TMemoryStream path(projectFolder + PathDelim);
    pack.Add(std::string(kProjectPathEntry), path);
  }  // the pack writes the central directory as it goes
  zip->SetPosition(0);
  return zip;
}

std::unique_ptr<TMemoryStream> MakePayload(const std::string& projectFolder) {
  std::unique_ptr<TMemoryStream> payload = MakeProjectZip(projectFolder);
  uint32_t n = static_cast<uint32_t>(payload->Size());
  uint8_t length[4] = {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n >> 16),
                       static_cast<uint8_t>(n >> 24)};
  payload->Seek(0, TSeekOrigin::End);
  payload->WriteBuffer(length, sizeof length);
  payload->WriteString(kPayloadMarker);
  payload->SetPosition(0);
  return payload;
}

TPayload ReadPayload(TStream& file) {
  TPayload p;
  int64_t size = file.Size();
  p.ImageSize = size;
  if (size < kPayloadTrailerSize) return p;

  uint8_t trailer[kPayloadTrailerSize];
  file.SetPosition(size - kPayloadTrailerSize);
  file.ReadBuffer(trailer, sizeof trailer);
  if (std::memcmp(trailer + 4, kPayloadMarker.data(), kPayloadMarker.size()) != 0) return p;

  p.Status = TPayload::Damaged;
  int64_t n = int64_t{trailer[0]} | (int64_t{trailer[1]} << 8) | (int64_t{trailer[2]} << 16) | (int64_t{trailer[3]} << 24);
  if (n > size - kPayloadTrailerSize || n > kMaxArchiveSize) {
    p.Problem = "the payload claims " + std::to_string(n) + " bytes, more than the program holds";
    return p;
  }
  p.ImageSize = size - kPayloadTrailerSize - n;
  std::string bytes(static_cast<size_t>(n), '\0');
  file.SetPosition(p.ImageSize);
  if (n > 0) file.ReadBuffer(bytes.data(), bytes.size());

  TMemoryStream archive(bytes);
  try {
    TZIPStrPack pack(archive);
    std::unique_ptr<TMemoryStream> entry = pack.GetStream(std::string(kProjectPathEntry));
    if (!entry) {
      p.Problem = "the payload has no entry \"" + std::string(kProjectPathEntry) + "\"";
      return p;
    }
    p.ProjectPath = entry->Bytes();
  } catch (const std::exception& e) {
    p.Problem = std::string("the payload cannot be read: ") + e.what();
    return p;
  }
  if (p.ProjectPath.empty()) {
    p.Problem = "the payload names no project folder";
    return p;
  }
  p.Status = TPayload::Found;
  return p;
}

std::string ProjectFolderOf(std::string_view storedPath) {
  std::string folder(storedPath);
  while (folder.size() > 1 && IsPathDelimiter(folder.back()) && IsPathDelimiter(folder[folder.size() - 2]))
    folder.pop_back();
  return IncludeTrailingPathDelimiter(folder);
}

}  // namespace zemblo
