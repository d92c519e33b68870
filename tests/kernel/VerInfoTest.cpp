#include <gtest/gtest.h>

#include <cstring>

#include "TestUtil.h"
#include "kernel/VerInfo.h"
#include "platform/Process.h"

using namespace zemblo;

namespace {

void Put16(std::string& b, uint16_t v) { b.push_back(char(v & 0xFF)), b.push_back(char(v >> 8)); }
void Put32(std::string& b, uint32_t v) { Put16(b, uint16_t(v & 0xFFFF)), Put16(b, uint16_t(v >> 16)); }
void Pad4(std::string& b) { b.append((4 - b.size() % 4) % 4, '\0'); }
std::string Utf16z(const std::string& s) {
  std::string r;
  for (char c : s) Put16(r, static_cast<unsigned char>(c));
  Put16(r, 0);
  return r;
}

// One version tree node as Windows lays it out.
std::string Node(const std::string& key, const std::string& value, bool text, const std::vector<std::string>& kids) {
  std::string b(6, '\0');
  b += Utf16z(key);
  Pad4(b);
  b += value;
  for (const auto& k : kids) {
    Pad4(b);
    b += k;
  }
  std::string head;
  Put16(head, uint16_t(b.size()));
  Put16(head, uint16_t(text ? value.size() / 2 : value.size()));
  Put16(head, text ? 1 : 0);
  return head + b.substr(6);
}

std::string VersionBlock(uint16_t ma, uint16_t mi, uint16_t re, uint16_t bu, bool pre, const std::string& product) {
  std::string fixed;
  for (uint32_t v : {0xFEEF04BDu, 0x10000u, uint32_t(ma) << 16 | mi, uint32_t(re) << 16 | bu, uint32_t(ma) << 16 | mi,
                     uint32_t(re) << 16 | bu, 0x3Fu, pre ? 2u : 0u, 0x40004u, 1u, 0u, 0u, 0u})
    Put32(fixed, v);
  std::string tr;
  Put16(tr, 0x0407);
  Put16(tr, 0x04B0);
  return Node("VS_VERSION_INFO", fixed, false,
              {Node("StringFileInfo", "", true,
                    {Node("040704B0", "", true, {Node("ProductName", Utf16z(product), true, {})})}),
               Node("VarFileInfo", "", true, {Node("Translation", tr, false, {})})});
}

// A minimal 32-bit PE image whose only section holds a resource tree with the block.
std::string PEImage(const std::string& block) {
  std::string rsrc;
  auto dir = [&](uint16_t id, uint32_t target) {
    for (int i = 0; i < 3; ++i) Put32(rsrc, 0);
    Put16(rsrc, 0);
    Put16(rsrc, 1);
    Put32(rsrc, id);
    Put32(rsrc, target);
  };
  dir(16, 0x80000000u | 24);
  dir(1, 0x80000000u | 48);
  dir(0x409, 72);
  Put32(rsrc, 0x1000 + 88);  // data entry: RVA, size, code page, reserved
  Put32(rsrc, uint32_t(block.size()));
  Put32(rsrc, 0);
  Put32(rsrc, 0);
  rsrc += block;

  std::string f(0x40, '\0');
  f[0] = 'M', f[1] = 'Z';
  f[0x3C] = 0x40;
  f += std::string("PE\0\0", 4);
  Put16(f, 0x14C), Put16(f, 1), Put32(f, 0), Put32(f, 0), Put32(f, 0), Put16(f, 224), Put16(f, 0x102);
  std::string opt(224, '\0');
  opt[0] = 0x0B, opt[1] = 0x01;
  std::string rva;
  Put32(rva, 0x1000);
  Put32(rva, uint32_t(rsrc.size()));
  std::memcpy(&opt[96 + 16], rva.data(), 8);
  f += opt;
  f += std::string(".rsrc\0\0\0", 8);
  Put32(f, uint32_t(rsrc.size())), Put32(f, 0x1000), Put32(f, uint32_t(rsrc.size())), Put32(f, 0x200);
  f.append(16, '\0');
  f.resize(0x200, '\0');
  return f + rsrc;
}

}  // namespace

TEST(VerInfo, TemplatesFromAWindowsExecutable) {
  struct Case { std::string image; const char* templ; const char* result; };
  const Case cases[] = {
      {PEImage(VersionBlock(1, 0, 0, 193, false, "Calc")), "{MAJ}.{MIN}", "1.0"},
      {PEImage(VersionBlock(1, 0, 0, 193, false, "Calc")), "{MAJ}.{MIN}{R}", "1.0"},
      {PEImage(VersionBlock(1, 0, 0, 193, false, "Calc")), "{B}", "193"},
      {PEImage(VersionBlock(2, 1, 3, 7, true, "Calc")), "{MAJ}.{MIN}{RI}", "2.1 beta 3"},
      {PEImage(VersionBlock(2, 1, 3, 7, true, "Calc")), "{p} {maj}.{Min}{r}", "Calc 2.1 beta"},
      {"not an executable", "{P} {MAJ}.{MIN}.{B}", "? 0.1.1"},
      {std::string("MZ") + std::string(100, '\xff'), "{P} {MAJ}.{MIN}.{B}", "? 0.1.1"},
  };
  test::TTempDir dir;
  for (const auto& c : cases) {
    test::WriteAll(dir / "app.exe", c.image);
    TFileVersionInfo v(dir / "app.exe");
    EXPECT_EQ(v.FormatVersion(c.templ), c.result) << c.templ;
  }
  TFileVersionInfo missing(dir / "missing.exe");
  EXPECT_EQ(missing.FormatVersion("{P} {MAJ}.{MIN}.{B}"), "? 0.1.1");
}

TEST(VerInfo, APEImageIsReadThroughItsResourceDirectory) {
  // With its key spoilt, the block can only be found through the resource tree.
  std::string block = VersionBlock(3, 4, 0, 5, false, "Tool");
  block[6] = 'X';
  std::string image = PEImage(block);
  auto found = FindVersionBlock(image);
  ASSERT_TRUE(found);
  EXPECT_EQ(std::string(*found), block);
  EXPECT_FALSE(FindVersionBlock(block));
}

TEST(VerInfo, FindsTheBlockThisProgramCarries) {
  TFileVersionInfo v(GetExePath());
  EXPECT_EQ(v.FormatVersion("{P} {MAJ}.{MIN}.{B}"), "Zemblo " ZEMBLO_TEST_VERSION);
}
