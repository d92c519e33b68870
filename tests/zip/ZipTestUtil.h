// Running the zipfile helper script from the archive tests, and a few byte helpers.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "TestUtil.h"

namespace zemblo::test {

inline std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs tests/zip/zip_tool.py with the arguments; its output goes to `outFile`. Returns the
// exit status.
inline int RunZipTool(const std::vector<std::string>& args, const std::string& outFile) {
  std::string cmd = "python3 " + ShellQuote(SourceDir() + "tests/zip/zip_tool.py");
  for (const std::string& a : args) cmd += " " + ShellQuote(a);
  cmd += " >" + ShellQuote(outFile) + " 2>&1";
  return std::system(cmd.c_str());
}

inline std::string Hex(const std::string& bytes) {
  static const char* const kDigits = "0123456789abcdef";
  std::string h;
  for (unsigned char c : bytes) {
    h += kDigits[c >> 4];
    h += kDigits[c & 15];
  }
  return h;
}

inline void PutLE(std::string& s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace zemblo::test
