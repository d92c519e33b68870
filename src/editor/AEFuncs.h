// Text helpers shared by the line store and the editing commands: tab expansion, the
// word delimiters, and the two ways of cutting a text into lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zemblo {

inline constexpr int TabWidth = 4;
inline constexpr int BlockIndent = 4;
inline constexpr int WrapColumn = 80;

// Each TAB becomes TabWidth spaces (not the spaces up to the next stop); a text without
// TAB comes back unchanged.
std::string ExpandTabs(std::string_view text);

// NUL, LF, CR, space and % ( ) * + , - . / : ; < = > [ \ ] { }: what separates words for
// the word commands and the double click. Every other byte belongs to a word.
bool IsWordDelimiter(char c);

// The whole-text rule: a line ends at CR LF, at a lone CR or at a lone LF; the text after
// the last break is a line only if it is not empty. A NUL byte is an ordinary character
// here: cutting the text at the first NUL would silently drop the rest of a file.
std::vector<std::string> CutTextIntoLines(std::string_view text);

// The insertion rule: every maximal run of CR and LF characters ends one line (so empty
// lines inside are dropped and a run at the end adds nothing); an empty text is one empty
// line.
std::vector<std::string> CutInsertedLines(std::string_view text);

// Every CR LF pair, and every other CR or LF, becomes one CR LF.
std::string NormalizeLineBreaks(std::string_view text);

// Number of spaces at the start of `s`.
int LeadingSpaces(std::string_view s);
// `s` without its trailing spaces.
std::string_view TrimTrailingSpaces(std::string_view s);

}  // namespace zemblo
