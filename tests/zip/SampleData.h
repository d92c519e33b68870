// Reproducible sample contents for the archive tests and benchmarks: text with a
// vocabulary and line structure like source code, bytes with no redundancy at all, and long
// runs of repeated bytes and short patterns.
#pragma once

#include <cstdint>
#include <string>

namespace zemblo::test {

enum class TSampleKind { Text, Random, Runs };

class TSampleRandom {
 public:
  explicit TSampleRandom(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint64_t Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 7;
    s_ ^= s_ << 17;
    return s_;
  }
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }

 private:
  uint64_t s_;
};

inline std::string MakeSample(TSampleKind kind, size_t size, uint64_t seed = 1) {
  TSampleRandom r(seed);
  std::string s;
  s.reserve(size + 300);
  switch (kind) {
    case TSampleKind::Text: {
      static const char* const kWords[] = {
          "function", "return", "$this", "->", "Window", "echo", "if", "else", "foreach", "as",
          "array", "(", ")", "{", "}", ";", "=", "==", "\"Caption\"", "public", "class", "extends",
          "Win32Wnd", "A()", "WndEvent", "null", "true", "false", "$i", "$name", "value", "width",
          "height", "the", "of", "and", "to", "in", "is", "for", "that", "with", "on", "project"};
      constexpr size_t kCount = sizeof kWords / sizeof kWords[0];
      int column = 0;
      while (s.size() < size) {
        // A skewed choice, so some words are far more frequent than others.
        uint32_t a = r.Below(kCount), b = r.Below(kCount);
        s += kWords[a < b ? a : b];
        column += 8;
        if (r.Below(9) == 0 || column > 70) {
          s += "\r\n";
          column = 0;
          for (uint32_t indent = r.Below(4); indent; --indent) s += "  ";
        } else {
          s += ' ';
        }
      }
      break;
    }
    case TSampleKind::Random:
      while (s.size() < size) {
        uint64_t v = r.Next();
        s.append(reinterpret_cast<const char*>(&v), 8);
      }
      break;
    case TSampleKind::Runs:
      while (s.size() < size) {
        if (r.Below(4)) {
          s.append(1 + r.Below(2000), static_cast<char>(r.Below(4) * 0x41));
        } else {
          std::string unit;
          for (uint32_t n = 2 + r.Below(6); n; --n) unit += static_cast<char>('a' + r.Below(26));
          for (uint32_t n = 1 + r.Below(100); n; --n) s += unit;
        }
      }
      break;
  }
  s.resize(size);
  return s;
}

}  // namespace zemblo::test
