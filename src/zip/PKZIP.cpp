#include "zip/PKZIP.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/Stream.h"
#include "zip/CRC32.h"
#include "zip/Inflate.h"

namespace zemblo {

namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034B50u;
constexpr uint32_t kDirectorySignature = 0x02014B50u;
constexpr uint32_t kEndSignature = 0x06054B50u;
constexpr size_t kLocalHeaderRest = 26;  // local header bytes after the signature
constexpr size_t kLocalHeaderSize = 4 + kLocalHeaderRest;
constexpr size_t kDirectoryRecordSize = 46;
constexpr size_t kEndRecordSize = 22;

// What the writer puts into every entry: version 2.0, stored, 24 June 2004 15:20:52.
constexpr uint16_t kVersion = 20;
constexpr uint16_t kFixedTime = 0x7A9A;
constexpr uint16_t kFixedDate = 0x30D8;
constexpr uint32_t kExternalAttributes = 0x81800020u;

// No DEFLATE stream yields more than 1,032 bytes per byte (a 258-byte match in two bits).
constexpr uint64_t kMaxExpansion = 1032;

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) { return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24); }

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

// The fields the local header and the directory record share, from the version needed to
// the uncompressed size.
void PutEntryFields(std::string& s, const TZIPEntry& e) {
  Put16(s, e.VersionNeeded);
  Put16(s, e.Flags);
  Put16(s, e.Method);
  Put16(s, e.ModTime);
  Put16(s, e.ModDate);
  Put32(s, e.CRC32);
  Put32(s, e.CompressedSize);
  Put32(s, e.UncompressedSize);
}

// Where the entry's local header begins.
int64_t LocalHeaderAt(const TZIPEntry& e) {
  return e.DataOffset - static_cast<int64_t>(kLocalHeaderSize + e.Name.size()) - e.ExtraLength;
}

void CheckNameLength(const std::string& name) {
  if (name.size() > 0xFFFF) throw EZIPError("The archive entry name \"" + name.substr(0, 64) + "...\" is too long");
}

// The walk asks for a few bytes at a time, and an entry written with a data descriptor is
// stepped through four bytes at a time; reading the stream in large pieces keeps that from
// turning into one system call per step. The walk's own position is kept here, and the
// stream is left there when the walk ends.
class TWalkReader {
 public:
  explicit TWalkReader(TStream& stream) : stream_(stream), pos_(stream.Position()), size_(stream.Size()) {}

  int64_t Pos() const { return pos_; }
  int64_t Size() const { return size_; }
  void Skip(uint64_t n) { pos_ += static_cast<int64_t>(n); }

  // Reads up to n bytes at the position and moves past those that came.
  size_t Read(void* dst, size_t n) {
    if (n == 0) return 0;
    size_t got;
    if (pos_ >= bufStart_ && pos_ - bufStart_ + static_cast<int64_t>(n) <= static_cast<int64_t>(bufLen_)) {
      std::memcpy(dst, buf_.data() + (pos_ - bufStart_), n);
      got = n;
    } else if (n > kChunk / 2) {
      stream_.SetPosition(pos_);
      got = stream_.Read(dst, n);
    } else {
      if (buf_.empty()) buf_.resize(kChunk);
      stream_.SetPosition(pos_);
      bufStart_ = pos_;
      bufLen_ = stream_.Read(buf_.data(), kChunk);
      got = std::min(n, bufLen_);
      if (got) std::memcpy(dst, buf_.data(), got);
    }
    pos_ += static_cast<int64_t>(got);
    return got;
  }

 private:
  static constexpr size_t kChunk = 65536;
  TStream& stream_;
  int64_t pos_;
  const int64_t size_;
  std::string buf_;
  int64_t bufStart_ = 0;
  size_t bufLen_ = 0;
};

}  // namespace

void TPKZIP::Clear() {
  Stream = nullptr;
  Entries.clear();
}

bool TPKZIP::Open(TStream* stream) {
  Clear();
  if (!stream) return false;
  Stream = stream;
  bool result = true;
  TWalkReader r(*stream);
  while (r.Pos() != r.Size()) {
    uint8_t sig[4];
    if (r.Read(sig, 4) < 4) {
      result = false;
      break;
    }
    uint32_t signature = Get32(sig);
    if (signature == kDirectorySignature || signature == kEndSignature) break;
    if (signature != kLocalHeaderSignature) continue;  // stray bytes: step on by four
    uint8_t h[kLocalHeaderRest];
    if (r.Read(h, sizeof h) < sizeof h) break;
    TZIPEntry e;
    e.VersionNeeded = Get16(h);
    e.Flags = Get16(h + 2);
    e.Method = Get16(h + 4);
    e.ModTime = Get16(h + 6);
    e.ModDate = Get16(h + 8);
    e.CRC32 = Get32(h + 10);
    e.CompressedSize = Get32(h + 14);
    e.UncompressedSize = Get32(h + 18);
    e.NameLength = Get16(h + 22);
    e.ExtraLength = Get16(h + 24);
    e.Name.resize(e.NameLength);
    if (r.Read(e.Name.data(), e.NameLength) < e.NameLength) break;
    r.Skip(e.ExtraLength);
    e.DataOffset = r.Pos();
    r.Skip(e.CompressedSize);
    Entries.push_back(std::move(e));
  }
  stream->SetPosition(r.Pos());
  return result;
}

void TPKZIP::Extract(size_t index) {
  if (index >= Entries.size()) throw EListError(static_cast<long long>(index));
  TZIPEntry& e = Entries[index];
  if (!Stream) throw EZIPError("No archive is open to extract \"" + e.Name + "\" from");

  // The bytes that are this entry's in the archive: its header, name, extra field and
  // compressed data as far as the stream holds them. The walk never lets two entries share
  // bytes, so bounding each entry by its own share bounds the whole archive.
  int64_t size = Stream->Size();
  int64_t headerStart = std::max<int64_t>(0, e.DataOffset - static_cast<int64_t>(kLocalHeaderSize) -
                                                  e.NameLength - e.ExtraLength);
  int64_t dataEnd = std::min<int64_t>(size, e.DataOffset + static_cast<int64_t>(e.CompressedSize));
  int64_t share = std::max<int64_t>(0, dataEnd - headerStart);
  if (e.UncompressedSize > kMaxExpansion * static_cast<uint64_t>(share))
    throw EZIPError("The archive entry \"" + e.Name + "\" claims " + std::to_string(e.UncompressedSize) +
                    " bytes, more than its " + std::to_string(share) + " bytes in the archive can hold");

  std::string data(e.UncompressedSize, '?');
  Stream->SetPosition(e.DataOffset);
  if (e.Method == 0) {
    if (!data.empty()) Stream->Read(data.data(), data.size());
  } else if (e.Method == 8) {
    // Bytes the stream does not have would reach the decoder as zeros either way, which
    // is what it reads past the end of its input.
    size_t want = static_cast<size_t>(std::min<int64_t>(e.CompressedSize, std::max<int64_t>(0, size - e.DataOffset)));
    std::unique_ptr<uint8_t[]> packed(new uint8_t[want ? want : 1]);
    size_t got = want ? Stream->Read(packed.get(), want) : 0;
    TInflater inflater;
    inflater.Inflate(packed.get(), data.data(), static_cast<int64_t>(got), static_cast<int64_t>(data.size()));
  }
  e.Data = std::move(data);
}

void TPKZIP::AddEntry(const std::string& name, TStream& source) {
  if (!Stream) throw EZIPError("No archive is open to add \"" + name + "\" to");
  CheckNameLength(name);
  int64_t size = source.Size();
  if (size > 0xFFFFFFFFll)
    throw EZIPError("The archive entry \"" + name + "\" is too large: " + std::to_string(size) + " bytes");

  TCRC32 crc;
  crc.Reset();
  crc.UpdateStream(source);

  int64_t start = Stream->Seek(0, TSeekOrigin::End);
  TZIPEntry e;
  e.VersionNeeded = kVersion;
  e.Flags = 0;
  e.Method = 0;
  e.ModTime = kFixedTime;
  e.ModDate = kFixedDate;
  e.CRC32 = crc.Value();
  e.CompressedSize = static_cast<uint32_t>(size);
  e.UncompressedSize = static_cast<uint32_t>(size);
  e.NameLength = static_cast<uint16_t>(name.size());
  e.ExtraLength = 0;
  e.Name = name;
  e.DataOffset = start + static_cast<int64_t>(kLocalHeaderSize + name.size());

  std::string header;
  header.reserve(kLocalHeaderSize + name.size());
  Put32(header, kLocalHeaderSignature);
  PutEntryFields(header, e);
  Put16(header, e.NameLength);
  Put16(header, e.ExtraLength);
  header += name;
  Stream->WriteBuffer(header.data(), header.size());

  source.SetPosition(0);
  if (size > 0) Stream->CopyFrom(source, size);
  AppendEntry(e);
}

void TPKZIP::WriteDirectory() {
  if (!Stream) throw EZIPError("No archive is open to finish");
  int64_t offset = Stream->Seek(0, TSeekOrigin::End);

  // The format holds 16-bit counts and 32-bit offsets; past them the archive would be
  // unreadable, so refuse before writing anything.
  if (Entries.size() > 0xFFFF) throw EZIPError("Too many archive entries: " + std::to_string(Entries.size()));
  uint64_t dirSize = 0;
  for (const TZIPEntry& e : Entries) {
    CheckNameLength(e.Name);
    int64_t headerAt = LocalHeaderAt(e);
    if (headerAt < 0 || headerAt > 0xFFFFFFFFll)
      throw EZIPError("The archive entry \"" + e.Name + "\" lies outside the 4 GiB a ZIP archive can address");
    dirSize += kDirectoryRecordSize + e.Name.size();
  }
  if (offset > 0xFFFFFFFFll || dirSize > 0xFFFFFFFFull)
    throw EZIPError("The archive is too large for a ZIP directory");

  std::string dir;
  dir.reserve(static_cast<size_t>(dirSize) + kEndRecordSize);
  for (const TZIPEntry& e : Entries) {
    Put32(dir, kDirectorySignature);
    Put16(dir, kVersion);  // made by
    PutEntryFields(dir, e);
    Put16(dir, static_cast<uint32_t>(e.Name.size()));
    Put16(dir, 0);  // extra field
    Put16(dir, 0);  // comment
    Put16(dir, 0);  // disk number start
    Put16(dir, 0);  // internal attributes
    Put32(dir, kExternalAttributes);
    Put32(dir, static_cast<uint32_t>(LocalHeaderAt(e)));
    dir += e.Name;
  }
  Put32(dir, kEndSignature);
  Put16(dir, 0);  // this disk
  Put16(dir, 0);  // disk with the directory
  Put16(dir, static_cast<uint32_t>(Entries.size()));
  Put16(dir, static_cast<uint32_t>(Entries.size()));
  Put32(dir, static_cast<uint32_t>(dirSize));
  Put32(dir, static_cast<uint32_t>(offset));
  Put16(dir, 0);  // comment
  Stream->WriteBuffer(dir.data(), dir.size());
}

}  // namespace zemblo
