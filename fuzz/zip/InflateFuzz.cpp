// Feeds arbitrary bytes to TInflater as a raw DEFLATE stream. Where zlib decodes the same
// bytes to a complete stream, our output must be identical, delivered window by window;
// otherwise the decode must merely end without touching memory it does not own.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "zip/Inflate.h"

namespace {

constexpr size_t kWindow = 32768;
constexpr size_t kReferenceLimit = size_t{1} << 20;

// zlib's output when it reaches the end of the stream within the limit.
bool ReferenceInflate(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
  static const std::unique_ptr<uint8_t[]> buffer(new uint8_t[kReferenceLimit]);
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) return false;
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(size);
  z.next_out = buffer.get();
  z.avail_out = static_cast<uInt>(kReferenceLimit);
  int rc = inflate(&z, Z_FINISH);
  inflateEnd(&z);
  if (rc != Z_STREAM_END) return false;
  out.assign(buffer.get(), buffer.get() + z.total_out);
  return true;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

void Decode(const uint8_t* data, size_t size, size_t destLength, const std::vector<uint8_t>* expected) {
  // The destination lives in its own allocation so that a write past it is caught.
  std::unique_ptr<uint8_t[]> dest(new uint8_t[destLength ? destLength : 1]);
  std::memset(dest.get(), '?', destLength);
  zemblo::TInflater().Inflate(data, dest.get(), static_cast<int64_t>(size), static_cast<int64_t>(destLength));
  if (!expected) return;
  size_t at = 0;
  for (size_t w = 0; w < expected->size(); w += kWindow) {
    size_t n = std::min(kWindow, expected->size() - w);
    if (n > destLength - at) break;
    Check(std::memcmp(dest.get() + at, expected->data() + w, n) == 0);
    at += n;
  }
  for (; at < destLength; ++at) Check(dest[at] == '?');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The decode reads exactly `size` bytes from a buffer of exactly that size.
  std::unique_ptr<uint8_t[]> input(new uint8_t[size ? size : 1]);
  if (size) std::memcpy(input.get(), data, size);
  std::vector<uint8_t> expected;
  if (ReferenceInflate(input.get(), size, expected)) {
    Decode(input.get(), size, expected.size(), &expected);
    Decode(input.get(), size, expected.size() + 1, &expected);
    if (expected.size() > kWindow) Decode(input.get(), size, expected.size() - 1, &expected);
  } else {
    // Damaged or truncated: room for a few windows, so that flushing, dropping and the
    // zeros past the end of the input all get their turn.
    Decode(input.get(), size, std::min<size_t>(size * 1032, 4 * kWindow + 100), nullptr);
  }
  return 0;
}
