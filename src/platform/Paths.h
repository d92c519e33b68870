// Path text helpers. Paths are built by plain concatenation; PathDelim stands where a
// Windows path would have its backslash.
#pragma once

#include <string>
#include <string_view>

namespace zemblo {

#ifdef _WIN32
inline constexpr char PathDelim = '\\';
#else
inline constexpr char PathDelim = '/';
#endif

// Both separators count when taking paths apart, so a stored "images\a.bmp" still splits.
bool IsPathDelimiter(char c);

// The folder part including its final delimiter ("" when there is none).
std::string ExtractFilePath(std::string_view path);
// The name after the last delimiter.
std::string ExtractFileName(std::string_view path);
// The extension with its dot (".php"), or "" when the name has none.
std::string ExtractFileExt(std::string_view path);
// The path with its extension replaced (ext includes the dot; "" removes it).
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);

// A relative path written with backslashes (as project files store them) in this
// platform's form.
std::string NativePath(std::string_view path);

}  // namespace zemblo
