// Byte-string helpers. All text in the program is 8-bit ANSI (Windows-1252) held in
// std::string; nothing here converts character sets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zemblo {

// ASCII case folding: only A-Z and a-z change.
char AsciiUpper(char c);
char AsciiLower(char c);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0 comparing without regard to ASCII case.
int CompareText(std::string_view a, std::string_view b);

// Upper case by the Windows-1252 code page: ASCII letters and the accented letters
// (0xE0-0xFE except 0xF7 map to 0xC0-0xDE; 0x9A, 0x9C, 0x9E, 0xFF to 0x8A, 0x8C, 0x8E, 0x9F).
std::string AnsiUpperCase(std::string_view s);

// Case-insensitive comparison in the manner of the user's locale collation, fixed so that
// files come out the same on every machine: hyphens and apostrophes are ignored at first,
// punctuation sorts before digits, digits before letters, letters without regard to case;
// ties fall back to a plain case-insensitive comparison.
int AnsiCompareText(std::string_view a, std::string_view b);

// Leading and trailing bytes <= 32 removed.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Integer conversion as the settings and attributes use it: leading blanks, an optional
// sign, decimal digits or hexadecimal digits after "$"; nothing else may follow.
// Out-of-range values do not convert.
std::optional<int32_t> TryStrToInt(std::string_view s);
int32_t StrToIntDef(std::string_view s, int32_t def);

std::string IntToStr(long long v);

// Every occurrence of `from` replaced by `to`, scanning left to right.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);
// Same, matching `from` without regard to ASCII case.
std::string ReplaceAllText(std::string_view s, std::string_view from, std::string_view to);

bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
// Position of `needle` in `hay` ignoring ASCII case, or npos.
size_t FindText(std::string_view hay, std::string_view needle);

}  // namespace zemblo
