// The payload a build appends to its copy of the loader, and how the built program finds it
// again: a ZIP archive with one entry naming the project folder, the archive's length as
// 4 bytes (least significant first) and a 16-byte marker, in this order at the file's end.
// The builder writes it and the loader reads it; both go through this one file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Stream.h"

namespace zemblo {

inline constexpr std::string_view kPayloadMarker = "*VantrelBuilder*";
inline constexpr std::string_view kProjectPathEntry = "zemblo.project.path";
// The length and the marker that close every payload.
inline constexpr int64_t kPayloadTrailerSize = 4 + static_cast<int64_t>(kPayloadMarker.size());

// The archive alone: one entry, "zemblo.project.path", holding `projectFolder` (which ends in
// PathDelim) followed by one more PathDelim.
std::unique_ptr<TMemoryStream> MakeProjectZip(const std::string& projectFolder);

// The archive, its length and the marker.
std::unique_ptr<TMemoryStream> MakePayload(const std::string& projectFolder);

struct TPayload {
  enum TStatus {
    None,     // no marker at the end: a plain loader, not a built program
    Damaged,  // a marker, but the rest cannot be read; Problem says why
    Found,
  };
  TStatus Status = None;
  // The bytes before the archive: the loader image (the whole file when there is no payload).
  int64_t ImageSize = 0;
  // The entry's bytes as stored: the project folder and one more PathDelim.
  std::string ProjectPath;
  std::string Problem;
};

// Reads the payload from the end of `file`. Never raises for what the file holds; errors of
// the stream itself propagate.
TPayload ReadPayload(TStream& file);

// The project folder from the entry's text: the stored path less its extra delimiter,
// ending in exactly one delimiter.
std::string ProjectFolderOf(std::string_view storedPath);

}  // namespace zemblo
