#include "platform/Paths.h"

namespace zemblo {

bool IsPathDelimiter(char c) { return c == '/' || c == '\\'; }

static size_t LastDelim(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i)
    if (IsPathDelimiter(path[i - 1])) return i - 1;
  return std::string_view::npos;
}

std::string ExtractFilePath(std::string_view path) {
  size_t d = LastDelim(path);
  return d == std::string_view::npos ? std::string() : std::string(path.substr(0, d + 1));
}

std::string ExtractFileName(std::string_view path) {
  size_t d = LastDelim(path);
  return std::string(d == std::string_view::npos ? path : path.substr(d + 1));
}

std::string ExtractFileExt(std::string_view path) {
  std::string name = ExtractFileName(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  size_t d = LastDelim(path);
  size_t start = d == std::string_view::npos ? 0 : d + 1;
  size_t dot = path.rfind('.');
  std::string base(dot == std::string_view::npos || dot < start ? path : path.substr(0, dot));
  return base + std::string(ext);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string r(path);
  if (r.empty() || !IsPathDelimiter(r.back())) r += PathDelim;
  return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  std::string r(path);
  if (!r.empty() && IsPathDelimiter(r.back())) r.pop_back();
  return r;
}

std::string NativePath(std::string_view path) {
  std::string r(path);
  for (char& c : r)
    if (IsPathDelimiter(c)) c = PathDelim;
  return r;
}

}  // namespace zemblo
