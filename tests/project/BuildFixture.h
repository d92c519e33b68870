// A program folder of our own for the builder and project-command tests: the kernel running
// with its executable in a temp folder, a stand-in loader carrying the icon block, and small
// projects made on the spot.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <string>

#include "TestUtil.h"
#include "kernel/AppKernel.h"
#include "kernel/AppObjects.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "project/ProjectBuilder.h"

namespace zemblo::test {

// A loader stand-in: `before` bytes of noise, the icon block (a 40-byte header, 3,072 pixel
// bytes with the pattern at 3,010 and a 128-byte mask of 0xEE), then `after` bytes of noise.
inline std::string FakeLoader(size_t before, size_t after) {
  std::string s;
  uint32_t seed = 12345;
  auto noise = [&](size_t n) {
    for (size_t i = 0; i < n; ++i) {
      seed = seed * 1103515245u + 12345u;
      s += static_cast<char>(seed >> 24);
    }
  };
  noise(before);
  s += std::string(40, 'H');
  std::string pixels(kIconPixelBytes, '\x55');
  pixels.replace(kIconPatternOffset, kIconPattern.size(),
                 std::string(reinterpret_cast<const char*>(kIconPattern.data()), kIconPattern.size()));
  s += pixels;
  s += std::string(kIconMaskBytes, '\xEE');
  noise(after);
  return s;
}

// A .bmp of w by h pixels from pixel(x, y) = 0xRRGGBB (y = 0 on top); 24 bits, or 8 with a
// palette of the colours used; bottom-up unless topDown.
inline std::string MakeBmp(int w, int h, const std::function<uint32_t(int, int)>& pixel, int bits = 24,
                           bool topDown = false) {
  auto put = [](std::string& s, uint64_t v, int n) {
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  std::string palette, data;
  std::vector<uint32_t> colours;
  int stride = bits == 8 ? (w + 3) & ~3 : (w * 3 + 3) & ~3;
  for (int row = 0; row < h; ++row) {
    int y = topDown ? row : h - 1 - row;
    std::string line;
    for (int x = 0; x < w; ++x) {
      uint32_t c = pixel(x, y) & 0xFFFFFF;
      if (bits == 8) {
        size_t i = 0;
        while (i < colours.size() && colours[i] != c) ++i;
        if (i == colours.size()) colours.push_back(c);
        line += static_cast<char>(i);
      } else {
        put(line, c, 3);  // blue, green, red
      }
    }
    line.resize(stride, '\0');
    data += line;
  }
  for (uint32_t c : colours) put(palette, c, 4);
  std::string info;
  put(info, 40, 4);
  put(info, static_cast<uint32_t>(w), 4);
  put(info, static_cast<uint32_t>(topDown ? -h : h), 4);
  put(info, 1, 2);
  put(info, static_cast<uint32_t>(bits), 2);
  put(info, 0, 4);
  put(info, static_cast<uint32_t>(data.size()), 4);
  put(info, 0, 8);
  put(info, static_cast<uint32_t>(colours.size()), 4);
  put(info, 0, 4);
  uint32_t offset = 14 + 40 + static_cast<uint32_t>(palette.size());
  std::string file = "BM";
  put(file, offset + static_cast<uint32_t>(data.size()), 4);
  put(file, 0, 4);
  put(file, offset, 4);
  return file + info + palette + data;
}

class BuildFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemFunctions = new TSystemFunctions();
    SystemFunctions->SetExeNameForTesting(dir / "app/zemblo");
    SetLoader(FakeLoader(20000, 1000));
    KernelStart();
  }
  void TearDown() override { KernelStop(); }

  void SetLoader(const std::string& bytes) {
    WriteAll(dir / "app/loader/ZembloLdr.exe", bytes);
    ::chmod((dir / "app/loader/ZembloLdr.exe").c_str(), 0755);
  }
  // Writes P/P.kxp (with the given lines) and opens it as the project.
  TKXProject& OpenProject(const std::string& kxp = "[Build]\r\nExeName=P.exe\r\n") {
    WriteAll(dir / "P/P.kxp", kxp);
    AppObjects->Project->Load(dir / "P/P.kxp");
    return *AppObjects->Project;
  }
  std::string Exe() { return dir / "P/exe/P.exe"; }

  TTempDir dir;
};

}  // namespace zemblo::test
