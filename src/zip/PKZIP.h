// ZIP archives over a seekable stream: the entry list, reading entries (stored and
// deflated) and appending stored entries with a central directory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Errors.h"

namespace zemblo {

class TStream;

// An archive that cannot be read or written as asked: an entry claiming more bytes than its
// share of the archive could ever yield, or an archive past the limits of the format.
class EZIPError : public Exception {
 public:
  using Exception::Exception;
};

// One archive entry. The first ten fields are the 26 bytes of a local file header that
// follow its signature, in the same order and widths.
struct TZIPEntry {
  uint16_t VersionNeeded = 0;
  uint16_t Flags = 0;  // kept, never interpreted
  uint16_t Method = 0;  // 0 stored, 8 deflated; others extract to "?"
  uint16_t ModTime = 0;
  uint16_t ModDate = 0;
  uint32_t CRC32 = 0;  // kept, never verified
  uint32_t CompressedSize = 0;
  uint32_t UncompressedSize = 0;
  uint16_t NameLength = 0;
  uint16_t ExtraLength = 0;
  std::string Name;        // exactly as stored; a folder's ends in "/"
  int64_t DataOffset = 0;  // absolute position of the first data byte
  std::string Data;        // empty until Extract
};

class TPKZIP {
 public:
  // The archive; not owned, it must outlive this object.
  TStream* Stream = nullptr;
  // In archive order.
  std::vector<TZIPEntry> Entries;

  void Clear();

  // Lists the entries by walking the local headers from the stream's current position
  // (the central directory is never read) and leaves the stream where the walk stopped.
  // False for a missing stream or when a signature comes back short, e.g. after a size
  // that points past the end; entries found before that stay listed either way.
  bool Open(TStream* stream);

  // Fills the entry's Data: UncompressedSize bytes, "?" wherever nothing was read or
  // decoded. The checksum is not verified. Raises EListError for an index out of range
  // and EZIPError, before allocating, for an entry that claims more bytes than its part of
  // the archive could hold at DEFLATE's greatest compression.
  void Extract(size_t index);

  void AppendEntry(const TZIPEntry& entry) { Entries.push_back(entry); }

  // Appends `source` (all of it, from its start) as a stored entry at the end of the
  // archive stream. Name bytes are written unchanged.
  void AddEntry(const std::string& name, TStream& source);

  // Appends the central directory of Entries and the end record at the stream's end.
  void WriteDirectory();
};

}  // namespace zemblo
