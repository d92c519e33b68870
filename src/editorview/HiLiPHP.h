// The highlighter of PHP source mixed with HTML, JavaScript and CSS: a character-by-character
// scanner driven by a ten-byte state record. The state at the end of every logical line is
// stored, so that colouring a line needs one scan of it unless an earlier change of state is
// still working its way down.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editorview/SyntaxHL.h"
#include "editorview/WordList.h"
#include "platform/Color.h"

namespace zemblo {

// The token kind of one character; one byte each in TPHPHighLight::Kinds(). 7 and 8 are not
// produced.
enum TCharCtx : uint8_t {
  ccSpace = 0,    // letters, digits, control characters, 0xB7, the end-of-line marker
  ccSym = 1,      // everything else, spaces included
  ccVar = 2,      // PHP variables; HTML attribute names
  ccCmt = 3,      // comments of all four languages
  ccNum = 4,      // numbers
  ccStr = 5,      // quoted strings and quoted attribute values
  ccKey = 6,      // listed words, recognised tags, the PHP delimiters, closing script/style tags
  ccAttrVal = 9,  // unquoted attribute values and the space that ends them
};

// The text colour of each kind, indexed by its value.
inline constexpr TColor kCharCtxColors[10] = {
    RGB(0, 0, 0),       RGB(0, 128, 0), RGB(128, 0, 128), RGB(128, 128, 128), RGB(128, 0, 0),
    RGB(0, 0, 128),     RGB(0, 128, 128), RGB(0, 0, 0),   RGB(0, 0, 0),       RGB(0, 0, 128),
};

// The scanner's state between lines. Every byte is a flag, 0 or 1, except InAttrValue, which
// holds the quote character (' or ") that opened the attribute value, or 0 outside a value:
// a value left open at the end of a line is closed by that same quote on a later line.
// Compared and copied as a whole.
struct TScanState {
  uint8_t InBlockComment = 0;  // inside a PHP /* */ comment
  uint8_t InPHP = 0;           // inside PHP code
  uint8_t InHTMLComment = 0;   // inside <!-- -->
  uint8_t InTag = 0;           // inside an HTML tag, between its name and its >
  uint8_t InAttrName = 0;      // inside a tag, before the = of an attribute
  uint8_t InAttrValue = 0;     // inside a quoted attribute value: its quote character
  uint8_t ScriptTag = 0;       // the last opening tag recognised was SCRIPT
  uint8_t StyleTag = 0;        // the last opening tag recognised was STYLE
  uint8_t InScript = 0;        // inside the text of a script block
  uint8_t InWord = 0;          // collecting a JavaScript or CSS word
  bool operator==(const TScanState&) const = default;
};
static_assert(sizeof(TScanState) == 10);

class TPHPHighLight : public TSyntaxHighLight {
 public:
  // Loads the word lists "PHPWrd", "HTMLTags", "JSWrd" and "CSSWrd" from the program's
  // resources (Exception when one is missing). `lines` must outlive the highlighter.
  explicit TPHPHighLight(const ILineSource& lines);

  void HighlightLine(TAdvancedEditor* sender, const std::string& text, int line,
                     const TSelAttrs& selFlags, TLineAttrs& attrs) override;
  void Reset() override;

  bool IsPHPWord(std::string_view w) const { return phpWords_.Contains(w); }
  bool IsJSWord(std::string_view w) const { return jsWords_.Contains(w); }
  bool IsCSSWord(std::string_view w) const { return cssWords_.Contains(w); }
  bool IsHTMLTag(std::string_view token) const;
  // The token upper-cased, without a leading <, then without a leading /, then without a
  // trailing >.
  static std::string StripTag(std::string_view token);

  // Scans `text` from `state`, leaving the kind of every character in Kinds() and the state
  // at the end of the line in `state`.
  void ScanLine(std::string_view text, TScanState& state);
  // Gives each cell of `attrs` the colour of the kind of its character in Kinds().
  void Colorize(std::string_view text, TLineAttrs& attrs) const;

  // Line 0 starts in HTML text, outside any tag.
  static constexpr TScanState InitialState() {
    TScanState s;
    s.InAttrName = 1;
    return s;
  }
  const std::vector<TCharCtx>& Kinds() const { return kinds_; }
  const std::vector<TScanState>& LineStates() const { return lineStates_; }
  int RescanFrom() const { return rescanFrom_; }
  const TWordList& PHPWords() const { return phpWords_; }
  const TWordList& HTMLTagWords() const { return htmlTagWords_; }
  const TWordList& JSWords() const { return jsWords_; }
  const TWordList& CSSWords() const { return cssWords_; }

 private:
  // Rescans the lines from rescanFrom_ up to `target` from the line source, storing their
  // end states.
  void UpdateStates(int target);
  // Makes lineStates_ hold index `line`; it only grows.
  void GrowStates(int line);

  TWordList phpWords_;
  TWordList htmlTagWords_;
  TWordList jsWords_;
  TWordList cssWords_;
  // The end state of each logical line, by index; entries past the line count are spare.
  std::vector<TScanState> lineStates_;
  const ILineSource& lines_;
  // The first line whose stored end state is not trusted: lines below it start from stored
  // states, lines above it are rescanned first. -1 after a reset.
  int rescanFrom_ = -1;
  // The kind of each character of the line scanned last; as long as that line.
  std::vector<TCharCtx> kinds_;
  // The line count seen by the last HighlightLine. Lines were inserted or deleted when it
  // changes, which shifts every later line away from its stored state.
  int seenLineCount_ = -1;
  // Reused for the lines UpdateStates reads, so rescans do not allocate per line.
  std::string rescanText_;
};

}  // namespace zemblo
