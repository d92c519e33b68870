// Named byte streams packed into a container; the ZIP form makes the payload that a
// build appends to the program it produces.
#pragma once

#include <memory>
#include <string>

#include "platform/Stream.h"
#include "zip/PKZIP.h"

namespace zemblo {

class TStreamPack {
 public:
  // Derived packs may finish their container on destruction and report its failure.
  virtual ~TStreamPack() noexcept(false) = default;
  // A new stream with the named content, owned by the caller; the base has none.
  virtual std::unique_ptr<TMemoryStream> GetStream(const std::string& name) { return nullptr; }
};

// A ZIP archive in a stream the caller owns (it must outlive the pack). Entries present
// from the stream's position onward are loaded on creation; destroying the pack after any
// Add writes the central directory and end record, so the stream then holds the finished
// archive. Without an Add the stream is left exactly as it was.
class TZIPStrPack : public TStreamPack {
 public:
  explicit TZIPStrPack(TStream& target);
  // Errors writing the directory propagate, except while another exception is already
  // unwinding through the owner.
  ~TZIPStrPack() noexcept(false) override;
  TZIPStrPack(const TZIPStrPack&) = delete;
  TZIPStrPack& operator=(const TZIPStrPack&) = delete;

  void Add(const std::string& name, TStream& source);

  // Every entry whose name matches without regard to case is extracted and written from
  // the start of the result, in archive order, so a later one overwrites an earlier one.
  // Empty when none matches.
  std::unique_ptr<TMemoryStream> GetStream(const std::string& name) override;

  TPKZIP Pack;
  bool Modified = false;

 private:
  int uncaughtAtCreation_;
};

}  // namespace zemblo
