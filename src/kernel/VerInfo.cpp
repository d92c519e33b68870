#include "kernel/VerInfo.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace zemblo {

namespace {

// Little-endian reads that never go past the end: out-of-range reads give nothing.
std::optional<uint16_t> U16(std::string_view b, size_t at) {
  if (at > b.size() || b.size() - at < 2) return std::nullopt;
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}
std::optional<uint32_t> U32(std::string_view b, size_t at) {
  auto lo = U16(b, at), hi = U16(b, at + 2);
  if (!lo || !hi) return std::nullopt;
  return static_cast<uint32_t>(*lo) | static_cast<uint32_t>(*hi) << 16;
}

size_t Align4(size_t n) { return (n + 3) & ~size_t(3); }

// One node of the version tree: header (length, value length, type), key, value, children.
struct TVerNode {
  std::string Key;          // ANSI form of the UTF-16 key
  std::string_view Value;   // raw value bytes
  std::string_view Children;
};

std::optional<TVerNode> ParseNode(std::string_view b) {
  auto len = U16(b, 0), valueLen = U16(b, 2), type = U16(b, 4);
  if (!len || !valueLen || !type || *len < 6 || *len > b.size()) return std::nullopt;
  b = b.substr(0, *len);
  TVerNode n;
  size_t p = 6;
  for (;;) {
    auto c = U16(b, p);
    if (!c) return std::nullopt;
    p += 2;
    if (*c == 0) break;
    n.Key.push_back(*c < 256 ? static_cast<char>(*c) : '?');
  }
  p = Align4(p);
  // Text values count UTF-16 characters, binary ones bytes.
  size_t valueBytes = *type == 1 ? size_t(*valueLen) * 2 : size_t(*valueLen);
  if (p > b.size()) p = b.size();
  if (valueBytes > b.size() - p) valueBytes = b.size() - p;
  n.Value = b.substr(p, valueBytes);
  p = Align4(p + valueBytes);
  n.Children = p < b.size() ? b.substr(p) : std::string_view();
  return n;
}

// The child of `children` whose key matches `key`, or nothing.
std::optional<TVerNode> FindChildNode(std::string_view children, std::string_view key) {
  size_t p = 0;
  while (p + 6 <= children.size()) {
    auto len = U16(children, p);
    if (!len || *len < 6) return std::nullopt;
    auto n = ParseNode(children.substr(p));
    if (!n) return std::nullopt;
    if (SameText(n->Key, key)) return n;
    p = Align4(p + *len);
  }
  return std::nullopt;
}

// The resource tree of a PE image: type 16 (version), then the first name and language.
std::optional<std::string_view> PEVersionResource(std::string_view f) {
  auto lfanew = U32(f, 0x3C);
  if (f.substr(0, 2) != "MZ" || !lfanew || *lfanew > f.size() || f.substr(*lfanew, 4) != std::string_view("PE\0\0", 4))
    return std::nullopt;
  size_t coff = *lfanew + 4;
  auto sections = U16(f, coff + 2), optSize = U16(f, coff + 16);
  size_t opt = coff + 20;
  auto magic = U16(f, opt);
  if (!sections || !optSize || !magic) return std::nullopt;
  size_t dirs = opt + (*magic == 0x20B ? 112 : 96);
  auto resRva = U32(f, dirs + 2 * 8);
  if (!resRva || *resRva == 0) return std::nullopt;
  size_t table = opt + *optSize;
  auto rvaToOffset = [&](uint32_t rva) -> std::optional<size_t> {
    for (unsigned i = 0; i < *sections; ++i) {
      size_t s = table + i * 40;
      auto vsize = U32(f, s + 8), vaddr = U32(f, s + 12), rawSize = U32(f, s + 16), rawPtr = U32(f, s + 20);
      if (!vsize || !vaddr || !rawSize || !rawPtr) return std::nullopt;
      uint32_t extent = std::max(*vsize, *rawSize);
      if (rva >= *vaddr && rva - *vaddr < extent) return size_t(*rawPtr) + (rva - *vaddr);
    }
    return std::nullopt;
  };
  auto root = rvaToOffset(*resRva);
  if (!root) return std::nullopt;
  // Walks one directory level: the entry with `id`, or the first entry when id is 0.
  auto entry = [&](size_t dir, uint32_t id) -> std::optional<uint32_t> {
    auto named = U16(f, dir + 12), ids = U16(f, dir + 14);
    if (!named || !ids) return std::nullopt;
    unsigned total = unsigned(*named) + *ids;
    for (unsigned i = 0; i < total; ++i) {
      auto name = U32(f, dir + 16 + i * 8), off = U32(f, dir + 20 + i * 8);
      if (!name || !off) return std::nullopt;
      if (id == 0 || *name == id) return *off;
    }
    return std::nullopt;
  };
  // Type (16, the version) and name are directories; the language level leads to the data.
  size_t dir = *root;
  const uint32_t wanted[3] = {16, 0, 0};
  for (int level = 0; level < 3; ++level) {
    auto off = entry(dir, wanted[level]);
    bool subdir = off && (*off & 0x80000000u);
    if (!off || subdir != (level < 2)) return std::nullopt;
    dir = *root + (*off & 0x7FFFFFFFu);
  }
  auto dataRva = U32(f, dir), dataSize = U32(f, dir + 4);
  if (!dataRva || !dataSize) return std::nullopt;
  auto data = rvaToOffset(*dataRva);
  if (!data || *data > f.size()) return std::nullopt;
  return f.substr(*data, std::min<size_t>(*dataSize, f.size() - *data));
}

// "VS_VERSION_INFO" in UTF-16, as it follows a block's 6-byte header.
const std::string_view kBlockKey("V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0\0\0", 32);

std::optional<std::string_view> EmbeddedBlock(std::string_view f) {
  for (size_t at = f.find(kBlockKey); at != std::string_view::npos; at = f.find(kBlockKey, at + 1)) {
    if (at < 6 || (at - 6) % 2) continue;
    std::string_view block = f.substr(at - 6);
    auto len = U16(block, 0);
    auto sig = U32(block, 40);
    if (len && *len <= block.size() && sig && *sig == 0xFEEF04BDu) return block.substr(0, *len);
  }
  return std::nullopt;
}

std::string Hex4(uint16_t v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%04X", v);
  return buf;
}

}  // namespace

std::optional<std::string_view> FindVersionBlock(std::string_view fileBytes) {
  if (auto pe = PEVersionResource(fileBytes)) return pe;
  return EmbeddedBlock(fileBytes);
}

std::optional<std::string_view> QueryVersionValue(std::string_view block, std::string_view path) {
  auto node = ParseNode(block);
  if (!node) return std::nullopt;
  size_t p = 0;
  while (p < path.size()) {
    while (p < path.size() && path[p] == '\\') ++p;
    if (p == path.size()) break;
    size_t q = path.find('\\', p);
    if (q == std::string_view::npos) q = path.size();
    node = FindChildNode(node->Children, path.substr(p, q - p));
    if (!node) return std::nullopt;
    p = q;
  }
  return node->Value;
}

void TFileVersionInfo::ReadVersionFrom(std::string_view f) {
  ProductName = "?";
  Major = "0";
  Minor = "1";
  Release = "0";
  Build = "1";
  PreRelease = false;
  auto block = FindVersionBlock(f);
  if (!block) return;
  if (auto root = QueryVersionValue(*block, "\\"); root && U32(*root, 0) == 0xFEEF04BDu) {
    auto ms = U32(*root, 16), ls = U32(*root, 20), mask = U32(*root, 24), flags = U32(*root, 28);
    if (ms && ls && mask && flags) {
      Major = IntToStr(*ms >> 16);
      Minor = IntToStr(*ms & 0xFFFF);
      Release = IntToStr(*ls >> 16);
      Build = IntToStr(*ls & 0xFFFF);
      PreRelease = (*mask & 2) && (*flags & 2);
    }
  }
  if (auto tr = QueryVersionValue(*block, "\\VarFileInfo\\Translation")) {
    auto lang = U16(*tr, 0), cp = U16(*tr, 2);
    if (lang && cp) {
      if (auto name = QueryVersionValue(*block, "\\StringFileInfo\\" + Hex4(*lang) + Hex4(*cp) + "\\ProductName")) {
        std::string s;
        for (size_t i = 0; i + 1 < name->size(); i += 2) {
          uint16_t c = *U16(*name, i);
          if (c == 0) break;
          s.push_back(c < 256 ? static_cast<char>(c) : '?');
        }
        ProductName = s;
      }
    }
  }
}

void TFileVersionInfo::ReadVersion() {
  std::string bytes;
  try {
    bytes = ReadFileBytes(FileName);
  } catch (const std::exception&) {
    bytes.clear();  // no file: the defaults stand
  }
  ReadVersionFrom(bytes);
}

std::string TFileVersionInfo::FormatVersion(const std::string& templ) {
  ReadVersion();
  std::string s = ReplaceAllText(templ, "{P}", ProductName);
  s = ReplaceAllText(s, "{MAJ}", Major);
  s = ReplaceAllText(s, "{MIN}", Minor);
  s = ReplaceAllText(s, "{B}", Build);
  s = ReplaceAllText(s, "{R}", PreRelease ? " beta" : "");
  return ReplaceAllText(s, "{RI}", PreRelease ? " beta " + Release : "");
}

}  // namespace zemblo
