#include "platform/Text.h"

#include <algorithm>
#include <climits>

namespace zemblo {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiLower(c);
  return r;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

int CompareText(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(AsciiUpper(a[i]));
    unsigned char y = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

static unsigned char AnsiUpperByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
  }
}

std::string AnsiUpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(AnsiUpperByte(static_cast<unsigned char>(c)));
  return r;
}

namespace {

// Collation weight of one byte; 0 means "ignored on the first pass".
int CollationWeight(unsigned char c) {
  if (c == '-' || c == '\'') return 0;
  unsigned char u = AnsiUpperByte(c);
  if (u >= 'A' && u <= 'Z') return 0x300 + (u - 'A') * 4;
  if (u >= '0' && u <= '9') return 0x200 + (u - '0');
  if (u >= 0x80) return 0x400 + u;  // accented letters and symbols after plain letters
  return 0x100 + u;                 // blanks and punctuation first
}

}  // namespace

int AnsiCompareText(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  for (;;) {
    while (i < a.size() && CollationWeight(static_cast<unsigned char>(a[i])) == 0) ++i;
    while (j < b.size() && CollationWeight(static_cast<unsigned char>(b[j])) == 0) ++j;
    if (i == a.size() || j == b.size()) {
      if (i == a.size() && j == b.size()) break;
      return i == a.size() ? -1 : 1;
    }
    int x = CollationWeight(static_cast<unsigned char>(a[i]));
    int y = CollationWeight(static_cast<unsigned char>(b[j]));
    if (x != y) return x < y ? -1 : 1;
    ++i;
    ++j;
  }
  return CompareText(a, b);
}

std::string TrimLeft(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && static_cast<unsigned char>(s[b]) <= 32) ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

std::optional<int32_t> TryStrToInt(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    neg = s[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  }
  if (i == s.size()) return std::nullopt;
  long long v = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return std::nullopt;
    v = v * (hex ? 16 : 10) + d;
    // Hexadecimal texts may name any 32-bit pattern ($FFFFFFFF is -1); decimal ones must fit.
    if (v > (hex ? 0xFFFFFFFFLL : 0x80000000LL)) return std::nullopt;
  }
  if (hex) {
    int32_t r = static_cast<int32_t>(static_cast<uint32_t>(v));
    return neg ? static_cast<int32_t>(0u - static_cast<uint32_t>(r)) : r;
  }
  if (neg) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return std::nullopt;
  return static_cast<int32_t>(v);
}

int32_t StrToIntDef(std::string_view s, int32_t def) {
  auto v = TryStrToInt(s);
  return v ? *v : def;
}

std::string IntToStr(long long v) { return std::to_string(v); }

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string r;
  r.reserve(s.size());
  size_t pos = 0;
  for (;;) {
    size_t hit = s.find(from, pos);
    if (hit == std::string_view::npos) break;
    r.append(s.substr(pos, hit - pos));
    r.append(to);
    pos = hit + from.size();
  }
  r.append(s.substr(pos));
  return r;
}

size_t FindText(std::string_view hay, std::string_view needle) {
  if (needle.size() > hay.size()) return std::string_view::npos;
  for (size_t i = 0; i + needle.size() <= hay.size(); ++i)
    if (SameText(hay.substr(i, needle.size()), needle)) return i;
  return std::string_view::npos;
}

std::string ReplaceAllText(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string r;
  r.reserve(s.size());
  size_t pos = 0;
  for (;;) {
    size_t hit = FindText(s.substr(pos), from);
    if (hit == std::string_view::npos) break;
    r.append(s.substr(pos, hit));
    r.append(to);
    pos += hit + from.size();
  }
  r.append(s.substr(pos));
  return r;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

}  // namespace zemblo
