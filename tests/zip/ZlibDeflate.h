// Raw DEFLATE by zlib, the reference the decoder is checked and measured against.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace zemblo::test {

// Compresses `data` at `level`. With `piece` set, the input goes in pieces of that size,
// each followed by `flush`, which puts stored, empty or partial blocks in the middle.
// Throws when zlib reports an error.
inline std::string ZlibDeflate(const std::string& data, int level, int strategy = Z_DEFAULT_STRATEGY,
                               size_t piece = 0, int flush = Z_NO_FLUSH) {
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, strategy) != Z_OK) throw std::runtime_error("deflateInit2 failed");
  std::string out(deflateBound(&z, data.size()) + 64 + (piece ? data.size() / piece * 16 : 0), '\0');
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  size_t at = 0;
  do {
    size_t n = piece ? std::min(piece, data.size() - at) : data.size();
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data() + at));
    z.avail_in = static_cast<uInt>(n);
    at += n;
    int rc = deflate(&z, at == data.size() ? Z_FINISH : flush);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) {
      deflateEnd(&z);
      throw std::runtime_error("deflate failed");
    }
  } while (at < data.size());
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

}  // namespace zemblo::test
