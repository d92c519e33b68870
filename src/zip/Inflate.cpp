#include "zip/Inflate.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>

namespace zemblo {

namespace {

constexpr size_t kWindowSize = 32768;
// The longest distance DEFLATE can express; the history kept in front of the output.
constexpr size_t kHistory = 32768;
// Output is decoded into a straight run of this many windows behind the history, so a
// match never has to wrap around; when the run is used up its last 32 KiB slide to the
// front and become the history again.
constexpr size_t kRunWindows = 8;
constexpr size_t kRun = kRunWindows * kWindowSize;
// Room behind the run for the last match that starts before the run's end (258 bytes),
// the literals decoded with it and the up to 15 bytes that word-wise copying writes ahead.
constexpr size_t kSlack = 512;

constexpr unsigned kMaxCodeBits = 15;
constexpr unsigned kLitRootBits = 9;
constexpr unsigned kDistRootBits = 6;
constexpr unsigned kLenCodeRootBits = 7;
// Upper bounds of the first level plus every second-level table a complete code can ask
// for (a second-level table of 2^k entries needs at least k+1 codes to fill it).
constexpr size_t kLitTableSize = 4096;
constexpr size_t kDistTableSize = 2048;
constexpr size_t kLenCodeTableSize = 1u << kLenCodeRootBits;

// A table entry. Bits 0-7: bits the code takes (for a link: the first-level bits);
// bits 8-11: extra bits after the code (for a link: the width of the second-level table);
// bits 12-15: what the entry is; bits 16-31: the literal byte, the length or distance base,
// the code-length symbol, or where the second-level table starts.
constexpr uint32_t kLiteral = 1u << 15;  // also marks every code-length symbol
constexpr uint32_t kSpecial = 1u << 14;  // link, end of block or unassigned code
constexpr uint32_t kLink = 1u << 13;
constexpr uint32_t kEndOfBlock = 1u << 12;
constexpr uint32_t kUnassigned = kSpecial;

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                    33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr uint8_t kLenCodeOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

enum class TCodeKind { LitLen, Dist, LenCode };

uint32_t SymbolEntry(TCodeKind kind, unsigned sym) {
  switch (kind) {
    case TCodeKind::LenCode:
      return kLiteral | (sym << 16);
    case TCodeKind::LitLen:
      if (sym < 256) return kLiteral | (sym << 16);
      if (sym == 256) return kSpecial | kEndOfBlock;
      if (sym <= 285) return (uint32_t{kLengthBase[sym - 257]} << 16) | (uint32_t{kLengthExtra[sym - 257]} << 8);
      return kUnassigned;
    case TCodeKind::Dist:
      if (sym < 30) return (uint32_t{kDistBase[sym]} << 16) | (uint32_t{kDistExtra[sym]} << 8);
      return kUnassigned;
  }
  return kUnassigned;
}

unsigned Reverse(unsigned code, unsigned bits) {
  unsigned r = 0;
  for (unsigned i = 0; i < bits; ++i, code >>= 1) r = (r << 1) | (code & 1);
  return r;
}

// Expands the canonical code given by `lens` into `table`: a first level indexed by the
// next `rootBits` input bits and second-level tables for longer codes. Fails for an
// over-subscribed code and for an incomplete one, except that a code without any lengths
// is kept (every lookup then finds an unassigned entry) and, where `allowLoneCode`, a code
// of a single one-bit length, which RFC 1951 allows for a block using one distance.
bool BuildTable(const uint8_t* lens, unsigned count, unsigned rootBits, TCodeKind kind, bool allowLoneCode,
                uint32_t* table, size_t tableSize) {
  unsigned perLength[kMaxCodeBits + 1] = {};
  for (unsigned s = 0; s < count; ++s) ++perLength[lens[s]];
  perLength[0] = 0;
  int left = 1;
  unsigned used = 0;
  for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
    left = (left << 1) - static_cast<int>(perLength[len]);
    if (left < 0) return false;
    used += perLength[len];
  }
  if (left > 0 && used != 0 && !(allowLoneCode && used == 1 && perLength[1] == 1)) return false;

  // Symbols in canonical order (by length, then by value) with their codes, first bit
  // highest.
  unsigned offset[kMaxCodeBits + 2] = {};
  for (unsigned len = 1; len <= kMaxCodeBits; ++len) offset[len + 1] = offset[len] + perLength[len];
  uint16_t sorted[320];
  for (unsigned s = 0; s < count; ++s)
    if (lens[s]) sorted[offset[lens[s]]++] = static_cast<uint16_t>(s);
  unsigned codes[320];
  unsigned code = 0, i = 0;
  for (unsigned len = 1; len <= kMaxCodeBits; ++len, code <<= 1)
    for (unsigned k = 0; k < perLength[len]; ++k) codes[i++] = code++;

  const size_t rootSize = size_t{1} << rootBits;
  std::fill(table, table + rootSize, kUnassigned);
  i = 0;
  for (; i < used && lens[sorted[i]] <= rootBits; ++i) {
    unsigned len = lens[sorted[i]];
    uint32_t entry = SymbolEntry(kind, sorted[i]) | len;
    for (size_t j = Reverse(codes[i], len); j < rootSize; j += size_t{1} << len) table[j] = entry;
  }
  // Longer codes sharing their first rootBits bits are consecutive in canonical order and
  // share one second-level table, as wide as the longest of them needs.
  size_t next = rootSize;
  while (i < used) {
    unsigned top = codes[i] >> (lens[sorted[i]] - rootBits);
    unsigned end = i;
    while (end < used && (codes[end] >> (lens[sorted[end]] - rootBits)) == top) ++end;
    unsigned width = lens[sorted[end - 1]] - rootBits;
    size_t subSize = size_t{1} << width;
    if (next + subSize > tableSize) return false;
    table[Reverse(top, rootBits)] = kSpecial | kLink | (static_cast<uint32_t>(next) << 16) | (width << 8) | rootBits;
    uint32_t* sub = table + next;
    std::fill(sub, sub + subSize, kUnassigned);
    for (; i < end; ++i) {
      unsigned len = lens[sorted[i]] - rootBits;
      uint32_t entry = SymbolEntry(kind, sorted[i]) | len;
      for (size_t j = Reverse(codes[i] & ((1u << len) - 1), len); j < subSize; j += size_t{1} << len) sub[j] = entry;
    }
    next += subSize;
  }
  return true;
}

struct TFixedTables {
  uint32_t lit[kLitTableSize];
  uint32_t dist[kDistTableSize];
  TFixedTables() {
    uint8_t lens[288];
    std::fill(lens, lens + 144, 8);
    std::fill(lens + 144, lens + 256, 9);
    std::fill(lens + 256, lens + 280, 7);
    std::fill(lens + 280, lens + 288, 8);
    BuildTable(lens, 288, kLitRootBits, TCodeKind::LitLen, false, lit, kLitTableSize);
    // 32 five-bit codes: the two beyond code 29 exist in the code but stand for nothing.
    std::fill(lens, lens + 32, 5);
    BuildTable(lens, 32, kDistRootBits, TCodeKind::Dist, false, dist, kDistTableSize);
  }
};

// The fixed code never changes, so its tables are built once for every decode.
const TFixedTables& FixedTables() {
  static const TFixedTables tables;
  return tables;
}

// The entry a link points to, chosen by the next input bits once the link's own bits are
// consumed.
inline uint32_t SecondLevel(const uint32_t* table, uint32_t link, uint64_t bits) {
  return table[(link >> 16) + (bits & ((1u << ((link >> 8) & 0xF)) - 1))];
}

inline uint64_t Load64LE(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
  return v;
}

inline void Copy8(uint8_t* dst, const uint8_t* src) { std::memcpy(dst, src, 8); }
inline void Copy16(uint8_t* dst, const uint8_t* src) { std::memcpy(dst, src, 16); }

// Copies `length` bytes from `distance` back; the pattern repeats when they overlap. May
// write up to 15 bytes past the end of the copy.
inline uint8_t* CopyMatch(uint8_t* out, uint32_t distance, uint32_t length) {
  const uint8_t* src = out - distance;
  uint8_t* const end = out + length;
  if (distance >= 16) {
    do {
      Copy16(out, src);
      out += 16;
      src += 16;
    } while (out < end);
  } else if (distance >= 8) {
    do {
      Copy8(out, src);
      out += 8;
      src += 8;
    } while (out < end);
  } else if (distance == 1) {
    uint64_t v = 0x0101010101010101ull * *src;
    do {
      std::memcpy(out, &v, 8);
      out += 8;
    } while (out < end);
  } else {
    do *out++ = *src++;
    while (out < end);
  }
  return end;
}

enum class TResult { EndOfBlock, Error, Stop };

// The working state of one decode and the storage it needs, obtained as one piece.
class TDecoder {
 public:
  TDecoder(const uint8_t* in, size_t inLength, uint8_t* dst, size_t dstLength)
      : in_(in), inEnd_(in + inLength), dst_(dst), dstLeft_(dstLength), closed_(dstLength == 0) {
    std::memset(buf_, 0, kHistory);
    flushed_ = out_ = buf_ + kHistory;
  }

  void Run();

  const uint8_t* In() const { return in_; }
  uint8_t* Dst() const { return dst_; }
  size_t DstLeft() const { return dstLeft_; }

 private:
  // Safe bit reading for headers and the last bytes of input: past the end, zero bytes.
  void Need(unsigned n) {
    while (bits_ < n) {
      uint64_t byte = in_ < inEnd_ ? *in_++ : 0;
      bitbuf_ |= byte << bits_;
      bits_ += 8;
    }
  }
  void Drop(unsigned n) {
    bitbuf_ >>= n;
    bits_ -= n;
  }
  uint32_t Get(unsigned n) {
    Need(n);
    uint32_t v = static_cast<uint32_t>(bitbuf_ & ((uint64_t{1} << n) - 1));
    Drop(n);
    return v;
  }

  TResult Stored();
  TResult Dynamic();
  TResult Codes(const uint32_t* lit, const uint32_t* dist);
  bool FlushWindows();
  void Deliver(const uint8_t* p, size_t n);
  void CopyPending(uint8_t* to) const;
  void Materialize();
  bool CompleteWindowFromInput(const uint8_t* p, size_t n);
  void FinalFlush();

  const uint8_t* in_;
  const uint8_t* const inEnd_;
  // Bits enter above the valid ones, first input bit lowest. Above bits_ the buffer holds
  // either zeros or the very next input bits, never anything else.
  uint64_t bitbuf_ = 0;
  unsigned bits_ = 0;

  uint8_t* dst_;
  size_t dstLeft_;
  // Set once a window was dropped or the destination is full: nothing more can arrive.
  bool closed_;

  // Output so far ends at out_ plus the pending stored bytes; the window from flushed_ on
  // is not handed over yet. Invariant between symbols: buf_ + kHistory <= flushed_ <= out_,
  // out_ - flushed_ + pendingBytes_ < kWindowSize, and flushed_ lies on a window boundary of
  // the run.
  uint8_t* out_;
  uint8_t* flushed_;

  // Stored blocks are not copied into the buffer at once: their bytes wait in the input
  // (which stays put for the whole decode), and a window they complete goes from there
  // straight to the destination. They are copied in only when a coded block needs them as
  // history, or when too many pieces pile up. A null pointer stands for zeros past the end
  // of the input.
  struct TPiece {
    const uint8_t* p;
    size_t n;
  };
  static constexpr int kMaxPieces = 16;
  TPiece pending_[kMaxPieces];
  int pendingCount_ = 0;
  size_t pendingBytes_ = 0;
  // Set when the last window went from the input to the destination without passing the
  // buffer: the 32 KiB before flushed_ are then in the destination, just behind dst_.
  bool historyInDest_ = false;

  uint32_t litTable_[kLitTableSize];
  uint32_t distTable_[kDistTableSize];
  uint32_t lenCodeTable_[kLenCodeTableSize];
  alignas(64) uint8_t buf_[kHistory + kRun + kSlack];
};

void TDecoder::Deliver(const uint8_t* p, size_t n) {
  if (closed_) return;
  if (n > dstLeft_) {
    closed_ = true;
    return;
  }
  if (n) std::memcpy(dst_, p, n);
  dst_ += n;
  dstLeft_ -= n;
  if (dstLeft_ == 0) closed_ = true;
}

// Hands over every complete window; returns false once nothing more can be delivered.
bool TDecoder::FlushWindows() {
  while (static_cast<size_t>(out_ - flushed_) >= kWindowSize) {
    Deliver(flushed_, kWindowSize);
    flushed_ += kWindowSize;
  }
  uint8_t* runEnd = buf_ + kHistory + kRun;
  if (flushed_ == runEnd) {
    size_t ahead = static_cast<size_t>(out_ - runEnd);
    std::memmove(buf_, runEnd - kHistory, kHistory + ahead);
    flushed_ = buf_ + kHistory;
    out_ = flushed_ + ahead;
  }
  return !closed_;
}

void TDecoder::CopyPending(uint8_t* to) const {
  for (int i = 0; i < pendingCount_; ++i) {
    if (pending_[i].p) std::memcpy(to, pending_[i].p, pending_[i].n);
    else std::memset(to, 0, pending_[i].n);
    to += pending_[i].n;
  }
}

// Brings the history and the pending stored bytes into the buffer, in front of out_.
void TDecoder::Materialize() {
  if (historyInDest_) {
    std::memcpy(flushed_ - kHistory, dst_ - kHistory, kHistory);
    historyInDest_ = false;
  }
  CopyPending(out_);
  out_ += pendingBytes_;
  pendingCount_ = 0;
  pendingBytes_ = 0;
}

// The current window is complete with n more stored bytes at p: it goes to the destination
// from where its pieces are, and a fresh window starts at the front of the run.
bool TDecoder::CompleteWindowFromInput(const uint8_t* p, size_t n) {
  if (closed_) return false;
  if (kWindowSize > dstLeft_) {
    closed_ = true;
    return false;
  }
  size_t head = static_cast<size_t>(out_ - flushed_);
  if (head) std::memcpy(dst_, flushed_, head);
  CopyPending(dst_ + head);
  uint8_t* tail = dst_ + head + pendingBytes_;
  if (p) std::memcpy(tail, p, n);
  else std::memset(tail, 0, n);
  dst_ += kWindowSize;
  dstLeft_ -= kWindowSize;
  if (dstLeft_ == 0) closed_ = true;
  pendingCount_ = 0;
  pendingBytes_ = 0;
  flushed_ = out_ = buf_ + kHistory;
  historyInDest_ = true;
  return !closed_;
}

void TDecoder::FinalFlush() {
  size_t n = static_cast<size_t>(out_ - flushed_) + pendingBytes_;
  if (closed_ || n > dstLeft_) return;
  if (pendingCount_) Materialize();
  Deliver(flushed_, n);
}

void TDecoder::Run() {
  if (closed_) return;
  for (;;) {
    bool final = Get(1) != 0;
    TResult r = TResult::Error;
    switch (Get(2)) {
      case 0: r = Stored(); break;
      case 1: r = Codes(FixedTables().lit, FixedTables().dist); break;
      case 2: r = Dynamic(); break;
      default: break;
    }
    if (r == TResult::Stop) return;
    // Windows completed before an error were handed over the moment they filled; the
    // bytes after them are lost.
    FlushWindows();
    if (r == TResult::Error) return;
    if (final) {
      FinalFlush();
      return;
    }
    if (closed_) return;
  }
}

TResult TDecoder::Stored() {
  Drop(bits_ & 7);
  uint32_t len = Get(16);
  uint32_t nlen = Get(16);
  if ((len ^ 0xFFFFu) != nlen) return TResult::Error;
  // Whole bytes already in the bit buffer come first, through the buffer.
  if (len && bits_ >= 8) Materialize();
  while (len && bits_ >= 8) {
    *out_++ = static_cast<uint8_t>(bitbuf_);
    Drop(8);
    --len;
    if (out_ == flushed_ + kWindowSize && !FlushWindows()) return TResult::Stop;
  }
  if (bits_ == 0) bitbuf_ = 0;  // what lay above now goes by the input pointer below
  while (len) {
    size_t room = kWindowSize - static_cast<size_t>(out_ - flushed_) - pendingBytes_;
    size_t have = static_cast<size_t>(inEnd_ - in_);
    // One piece: real input, or zeros once it is used up.
    const uint8_t* p = have ? in_ : nullptr;
    size_t n = std::min<size_t>(len, room);
    if (have) n = std::min(n, have);
    if (have) in_ += n;
    len -= static_cast<uint32_t>(n);
    if (n == room) {
      if (!CompleteWindowFromInput(p, n)) return TResult::Stop;
      continue;
    }
    if (pendingCount_ == kMaxPieces) Materialize();
    pending_[pendingCount_++] = {p, n};
    pendingBytes_ += n;
  }
  return TResult::EndOfBlock;
}

TResult TDecoder::Dynamic() {
  unsigned nlit = Get(5) + 257;
  unsigned ndist = Get(5) + 1;
  unsigned nlen = Get(4) + 4;
  if (nlit > 286 || ndist > 30) return TResult::Error;
  uint8_t lenCodeLens[19] = {};
  for (unsigned i = 0; i < nlen; ++i) lenCodeLens[kLenCodeOrder[i]] = static_cast<uint8_t>(Get(3));
  if (!BuildTable(lenCodeLens, 19, kLenCodeRootBits, TCodeKind::LenCode, false, lenCodeTable_, kLenCodeTableSize))
    return TResult::Error;

  uint8_t lens[286 + 30];
  const unsigned total = nlit + ndist;
  unsigned n = 0;
  uint8_t prev = 0;
  while (n < total) {
    Need(kLenCodeRootBits);
    uint32_t e = lenCodeTable_[bitbuf_ & ((1u << kLenCodeRootBits) - 1)];
    if (e & kSpecial) return TResult::Error;
    Drop(e & 0xFF);
    unsigned sym = e >> 16;
    if (sym < 16) {
      prev = static_cast<uint8_t>(sym);
      lens[n++] = prev;
      continue;
    }
    unsigned repeat;
    uint8_t value = 0;
    if (sym == 16) {
      repeat = 3 + Get(2);
      value = prev;
    } else if (sym == 17) {
      repeat = 3 + Get(3);
    } else {
      repeat = 11 + Get(7);
    }
    if (n + repeat > total) return TResult::Error;
    std::fill(lens + n, lens + n + repeat, value);
    n += repeat;
    prev = value;
  }
  if (!BuildTable(lens, nlit, kLitRootBits, TCodeKind::LitLen, true, litTable_, kLitTableSize) ||
      !BuildTable(lens + nlit, ndist, kDistRootBits, TCodeKind::Dist, true, distTable_, kDistTableSize))
    return TResult::Error;
  return Codes(litTable_, distTable_);
}

TResult TDecoder::Codes(const uint32_t* lit, const uint32_t* dist) {
  Materialize();
  constexpr uint64_t kLitMask = (1u << kLitRootBits) - 1;
  constexpr uint64_t kDistMask = (1u << kDistRootBits) - 1;
  // The hot loop works on locals; they go back to the members around every call out.
  const uint8_t* in = in_;
  const uint8_t* const inEnd = inEnd_;
  uint64_t bb = bitbuf_;
  unsigned bits = bits_;
  uint8_t* out = out_;
  uint8_t* outLimit = flushed_ + kWindowSize;
  TResult result;

  auto consume = [&](unsigned n) {
    bb >>= n;
    bits -= n;
  };
  auto need = [&](unsigned n) {
    while (bits < n) {
      uint64_t byte = in < inEnd ? *in++ : 0;
      bb |= byte << bits;
      bits += 8;
    }
  };
  // Takes a whole 8 bytes and keeps as many as fit: at least 56 valid bits afterwards.
  auto refill = [&]() {
    bb |= Load64LE(in) << bits;
    in += (63 - bits) >> 3;
    bits |= 56;
  };

  for (;;) {
    // Fast loop, each pass starting with 16 input bytes left. Every pass starts with at
    // least 56 valid bits and the entry for the next symbol already looked up, so the
    // lookup overlaps the work before it. A pass takes at most two refills, each reading 8
    // bytes and keeping at most 7: one covers a length and a distance with all their extra
    // bits (48 bits at most), or three literals.
    if (out < outLimit && inEnd - in >= 16) {
      refill();
      uint32_t e = lit[bb & kLitMask];
      while (out < outLimit && inEnd - in >= 16) {
        if (e & kLiteral) {
          consume(e & 0xFF);
          *out++ = static_cast<uint8_t>(e >> 16);
          e = lit[bb & kLitMask];
          if (e & kLiteral) {
            consume(e & 0xFF);
            *out++ = static_cast<uint8_t>(e >> 16);
            e = lit[bb & kLitMask];
            if (e & kLiteral) {
              consume(e & 0xFF);
              *out++ = static_cast<uint8_t>(e >> 16);
              refill();
              e = lit[bb & kLitMask];
              continue;
            }
          }
          refill();  // e stays valid: a refill only adds bits above the valid ones
        }
        if (e & kSpecial) {
          if (e & kLink) {
            consume(e & 0xFF);
            e = SecondLevel(lit, e, bb);
            if (e & kLiteral) {
              consume(e & 0xFF);
              *out++ = static_cast<uint8_t>(e >> 16);
              refill();
              e = lit[bb & kLitMask];
              continue;
            }
          }
          if (e & kSpecial) {
            if (e & kEndOfBlock) {
              consume(e & 0xFF);
              result = TResult::EndOfBlock;
            } else {
              result = TResult::Error;
            }
            goto done;
          }
        }
        unsigned codeBits = e & 0xFF, extra = (e >> 8) & 0xF;
        uint32_t length = (e >> 16) + (static_cast<uint32_t>(bb >> codeBits) & ((1u << extra) - 1));
        consume(codeBits + extra);
        uint32_t d = dist[bb & kDistMask];
        if (d & kSpecial) {
          if (!(d & kLink)) {
            result = TResult::Error;
            goto done;
          }
          consume(d & 0xFF);
          d = SecondLevel(dist, d, bb);
          if (d & kSpecial) {
            result = TResult::Error;
            goto done;
          }
        }
        codeBits = d & 0xFF;
        extra = (d >> 8) & 0xF;
        uint32_t distance = (d >> 16) + (static_cast<uint32_t>(bb >> codeBits) & ((1u << extra) - 1));
        consume(codeBits + extra);
        refill();
        e = lit[bb & kLitMask];
        out = CopyMatch(out, distance, length);
      }
    }

    if (out >= outLimit) {
      out_ = out;
      if (!FlushWindows()) {
        in_ = in;
        bitbuf_ = bb;
        bits_ = bits;
        return TResult::Stop;
      }
      out = out_;
      outLimit = flushed_ + kWindowSize;
      continue;
    }

    // Near the end of the input: one symbol at a time, reading zeros past the end.
    need(kMaxCodeBits);
    uint32_t e = lit[bb & kLitMask];
    if (e & kLink) {
      consume(e & 0xFF);
      e = SecondLevel(lit, e, bb);
    }
    if (e & kLiteral) {
      consume(e & 0xFF);
      *out++ = static_cast<uint8_t>(e >> 16);
      continue;
    }
    if (e & kSpecial) {
      if (e & kEndOfBlock) {
        consume(e & 0xFF);
        result = TResult::EndOfBlock;
      } else {
        result = TResult::Error;
      }
      break;
    }
    consume(e & 0xFF);
    unsigned extra = (e >> 8) & 0xF;
    need(extra);
    uint32_t length = (e >> 16) + (static_cast<uint32_t>(bb) & ((1u << extra) - 1));
    consume(extra);
    need(kMaxCodeBits);
    uint32_t d = dist[bb & kDistMask];
    if (d & kLink) {
      consume(d & 0xFF);
      d = SecondLevel(dist, d, bb);
    }
    if (d & kSpecial) {
      result = TResult::Error;
      break;
    }
    consume(d & 0xFF);
    extra = (d >> 8) & 0xF;
    need(extra);
    uint32_t distance = (d >> 16) + (static_cast<uint32_t>(bb) & ((1u << extra) - 1));
    consume(extra);
    out = CopyMatch(out, distance, length);
  }
done:
  in_ = in;
  bitbuf_ = bb;
  bits_ = bits;
  out_ = out;
  return result;
}

}  // namespace

void TInflater::Inflate(const void* source, void* dest, int64_t sourceLength, int64_t destLength) {
  size_t inLength = sourceLength > 0 ? static_cast<size_t>(sourceLength) : 0;
  size_t outLength = destLength > 0 ? static_cast<size_t>(destLength) : 0;
  InPtr = static_cast<const uint8_t*>(source);
  OutPtr = static_cast<uint8_t*>(dest);
  InLeft = static_cast<int64_t>(inLength);
  OutLeft = static_cast<int64_t>(outLength);
  // Without memory for the window and tables the decode ends before it starts, as any
  // other failure does.
  std::unique_ptr<TDecoder> decoder(new (std::nothrow) TDecoder(InPtr, inLength, OutPtr, outLength));
  if (!decoder) return;
  decoder->Run();
  InLeft -= decoder->In() - InPtr;
  InPtr = decoder->In();
  OutPtr = decoder->Dst();
  OutLeft = static_cast<int64_t>(decoder->DstLeft());
}

}  // namespace zemblo
