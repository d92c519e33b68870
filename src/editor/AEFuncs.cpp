#include "editor/AEFuncs.h"

#include <array>

namespace zemblo {

namespace {

constexpr std::array<bool, 256> MakeDelimiterTable() {
  std::array<bool, 256> table{};
  for (unsigned char c : std::string_view("\0\n\r %()*+,-./:;<=>[\\]{}", 23)) table[c] = true;
  return table;
}
constexpr std::array<bool, 256> kDelimiters = MakeDelimiterTable();

}  // namespace

std::string ExpandTabs(std::string_view text) {
  size_t tabs = 0;
  for (char c : text) tabs += (c == '\t');
  if (tabs == 0) return std::string(text);
  std::string out;
  out.reserve(text.size() + tabs * (TabWidth - 1));
  for (char c : text) {
    if (c == '\t')
      out.append(TabWidth, ' ');
    else
      out.push_back(c);
  }
  return out;
}

bool IsWordDelimiter(char c) { return kDelimiters[static_cast<unsigned char>(c)]; }

std::vector<std::string> CutTextIntoLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> CutInsertedLines(std::string_view text) {
  std::vector<std::string> lines;
  if (text.empty()) {
    lines.emplace_back();
    return lines;
  }
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    size_t start = i;
    while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
    lines.emplace_back(text.substr(start, i - start));
    while (i < n && (text[i] == '\r' || text[i] == '\n')) ++i;
  }
  return lines;
}

std::string NormalizeLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

int LeadingSpaces(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return static_cast<int>(i);
}

std::string_view TrimTrailingSpaces(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return s.substr(0, n);
}

}  // namespace zemblo
