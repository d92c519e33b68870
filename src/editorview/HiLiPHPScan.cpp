// The line scanner of TPHPHighLight: one pass over a line, character by character, in HTML
// text, PHP code, script text or style text as the state says.
//
// Markers are recognised in windows over the last characters seen: the pair (previous,
// current) and the triple (the two before, current). After some markers the current
// character is replaced by 'x' in those windows, so that the marker's last character cannot
// also start the next one ("/*/" is not a comment's end, "<!-->" does not close the comment
// it opens). Only the words of the lists and the tag names are collected while scanning;
// nothing looks back into the line except the few fixed-length marker checks.
#include <cstdint>
#include <string>
#include <string_view>

#include "editorview/HiLiPHP.h"
#include "platform/Text.h"

namespace zemblo {

namespace {

enum : uint8_t { kAlpha = 1, kDigit = 2, kNumberLead = 4, kHexPart = 8, kCSSNumberPart = 16 };

// Character classes by byte value. kHexPart: what may follow the first digit of a number in
// PHP and script text; kCSSNumberPart: the same in style text, units included.
constexpr struct TCharTable {
  uint8_t flags[256] = {};
  constexpr TCharTable() {
    for (int c = 'A'; c <= 'Z'; ++c) flags[c] |= kAlpha;
    for (int c = 'a'; c <= 'z'; ++c) flags[c] |= kAlpha;
    flags[static_cast<int>('_')] |= kAlpha;
    for (int c = '0'; c <= '9'; ++c) flags[c] |= kDigit | kHexPart | kCSSNumberPart;
    for (char c : std::string_view(" %(*+,-/:<=>[^{")) flags[static_cast<uint8_t>(c)] |= kNumberLead;
    for (char c : std::string_view(".ABCDEFabcdefx")) flags[static_cast<uint8_t>(c)] |= kHexPart;
    for (char c : std::string_view("%.ABCDEFabcdefptx")) flags[static_cast<uint8_t>(c)] |= kCSSNumberPart;
  }
} kChars;

inline bool Is(char c, uint8_t flag) { return kChars.flags[static_cast<uint8_t>(c)] & flag; }

// A character that replaces the current one in the marker windows after certain markers.
constexpr char kSpent = 'x';

// The tag name of an upper-cased tag word ("<B", "</B", "<B>") as the tag list holds it.
std::string_view TagName(std::string_view upperWord) {
  if (!upperWord.empty() && upperWord.front() == '<') upperWord.remove_prefix(1);
  if (!upperWord.empty() && upperWord.front() == '/') upperWord.remove_prefix(1);
  if (!upperWord.empty() && upperWord.back() == '>') upperWord.remove_suffix(1);
  return upperWord;
}

// The scan of one line. Everything here but `state` is forgotten at the end of the line.
class TLineScan {
 public:
  TLineScan(const TPHPHighLight& hl, std::string_view text, TCharCtx* kinds, TScanState& state)
      : hl_(hl), text_(text), kinds_(kinds), len_(static_cast<int>(text.size())), state_(state),
        inComment_(state.InHTMLComment), inTag_(state.InTag) {}

  void Run() {
    for (p_ = 0; p_ < len_; ++p_) {
      ch_ = text_[p_];
      lastChar_ = p_ == len_ - 1;
      // The triple window is (middle of the previous triple, previous, current); its middle
      // is the previous position's `prev`.
      before_ = prevOfPrev_;
      prev_ = c_;
      prevOfPrev_ = prev_;
      c_ = ch_;
      isAlpha_ = Is(ch_, kAlpha);
      isDigit_ = Is(ch_, kDigit);
      isWordChar_ = isAlpha_ || isDigit_;
      auto u = static_cast<uint8_t>(ch_);
      kinds_[p_] = isWordChar_ ? ccSpace : ccSym;
      if (u < 0x20 || u == 0xB7 || u == 0xAC) kinds_[p_] = ccSpace;
      if (state_.InPHP)
        PHPStep();
      else
        HTMLStep();
    }
    state_.InHTMLComment = inComment_;
    state_.InTag = inTag_;
  }

 private:
  bool Pair(char a, char b) const { return prev_ == a && ch_ == b; }
  bool Triple(char a, char b, char c) const { return before_ == a && prev_ == b && ch_ == c; }
  // The n characters ending at the current position, or "" when the line has fewer.
  std::string_view LastChars(int n) const {
    return p_ >= n - 1 ? text_.substr(static_cast<size_t>(p_ - n + 1), static_cast<size_t>(n)) : std::string_view();
  }
  void Mark(int from, int to, TCharCtx kind) {
    if (to > len_ - 1) to = len_ - 1;
    for (int i = from; i <= to; ++i) kinds_[i] = kind;
  }
  static char Upper(char c) { return AsciiUpper(c); }

  void HTMLStep() {
    if ((prev_ == 'h' || prev_ == 'H') && (ch_ == 'p' || ch_ == 'P') && SameText(LastChars(5), "<?php")) {
      state_.InPHP = 1;
      Mark(p_ - 4, p_, ccKey);
      collecting_ = false;
      return;
    }
    // "<?" opens PHP at once unless "php" follows, which waits for the test above.
    if (Pair('<', '?') && !SameText(text_.substr(static_cast<size_t>(p_), 4), "?php")) {
      state_.InPHP = 1;
      Mark(p_ - 1, p_, ccKey);
      collecting_ = false;
      return;
    }
    if (static_cast<uint8_t>(ch_) >= 0xC0) kinds_[p_] = ccSpace;
    if (inComment_) {
      kinds_[p_] = ccCmt;
      if (Triple('-', '-', '>')) inComment_ = false;
      if (state_.StyleTag && !inTag_ && StyleStep()) return;
      if (state_.InScript) ScriptStep();
      return;
    }
    if (Triple('!', '-', '-') && LastChars(4) == "<!--") {
      inComment_ = true;
      Mark(p_ - 3, p_, ccCmt);
      c_ = kSpent;
      inTag_ = false;
      return;
    }
    if (state_.InScript) {
      ScriptStep();
      return;
    }
    if (!collecting_) {
      if (ch_ == '<') {
        collecting_ = true;
        word_.clear();
        mark_ = p_;
      }
      if (ch_ == '>') {
        kinds_[p_] = ccKey;
        inTag_ = false;
        if (state_.ScriptTag) state_.InScript = 1;
      }
      if (inTag_) AttributeStep();
    } else {
      TagWordStep();
    }
    if (collecting_) word_ += Upper(ch_);
  }

  // Inside a tag, outside its name: attribute names, = and the values.
  void AttributeStep() {
    if (state_.InAttrName) {
      if (ch_ == '=') state_.InAttrName = 0;
      if (state_.InAttrName) kinds_[p_] = ccVar;
    } else if (!state_.InAttrValue) {
      kinds_[p_] = ccAttrVal;
      if (ch_ == ' ') state_.InAttrName = 1;
      if (ch_ == '"' || ch_ == '\'') {
        state_.InAttrValue = static_cast<uint8_t>(ch_);
        kinds_[p_] = ccStr;
      }
    } else {
      kinds_[p_] = ccStr;
      if (static_cast<uint8_t>(ch_) == state_.InAttrValue) state_.InAttrValue = 0;
    }
  }

  // A tag word began with <: it goes on over letters, digits, _ and /, and ends elsewhere.
  void TagWordStep() {
    int end = p_ - 1;
    bool wordChar = isWordChar_;
    if (lastChar_) {
      if (wordChar) word_ += Upper(ch_);
      wordChar = false;
      end = p_;
    }
    if (wordChar || ch_ == '/') return;
    inTag_ = true;
    state_.InAttrName = 1;
    // A new tag's attributes start afresh: a value left open by an earlier tag (a > inside
    // quotes, a PHP block inside a value) must not swallow this tag's first value.
    state_.InAttrValue = 0;
    if (ch_ == '>') {
      inTag_ = false;
      ++end;
    }
    if (hl_.HTMLTagWords().ContainsUpper(TagName(word_))) {
      if (word_.size() > 1 && word_[1] == '/') {
        state_.ScriptTag = 0;
        state_.StyleTag = 0;
      } else {
        std::string_view name = TagName(word_);
        state_.ScriptTag = name == "SCRIPT";
        if (ch_ == '>' && state_.ScriptTag) state_.InScript = 1;
        state_.StyleTag = name == "STYLE";
      }
      Mark(mark_, end, ccKey);
    }
    collecting_ = false;
  }

  void PHPStep() {
    if (!phpString_) {
      if ((ch_ == '\'' || ch_ == '"') && !phpLineComment_ && !state_.InBlockComment) {
        quote_ = ch_;
        phpString_ = true;
        kinds_[p_] = ccStr;
        return;
      }
    } else {
      StringChar(phpString_);
      return;
    }
    if (phpLineComment_) {
      kinds_[p_] = ccCmt;
      return;
    }
    if (state_.InBlockComment) {
      kinds_[p_] = ccCmt;
      if (Pair('*', '/')) {
        c_ = kSpent;
        state_.InBlockComment = 0;
      }
      return;
    }
    if (Pair('/', '/')) {
      Mark(p_ - 1, p_, ccCmt);
      phpLineComment_ = true;
      return;
    }
    if (ch_ == '#') {
      kinds_[p_] = ccCmt;
      phpLineComment_ = true;
      return;
    }
    if (Pair('/', '*')) {
      c_ = kSpent;
      Mark(p_ - 1, p_, ccCmt);
      state_.InBlockComment = 1;
      return;
    }
    if (Pair('?', '>')) {
      state_.InPHP = 0;
      Mark(p_ - 1, p_, ccKey);
      return;
    }
    if (!inVariable_) {
      if (ch_ == '$') {
        kinds_[p_] = ccVar;
        inVariable_ = true;
        return;
      }
    } else {
      if (!isWordChar_) inVariable_ = false;
      if (inVariable_) {
        kinds_[p_] = ccVar;
        return;
      }
    }
    if (NumberStep()) return;
    collecting_ = KeywordStep(collecting_, isWordChar_, isWordChar_, word_, mark_, hl_.PHPWords());
  }

  // One character of a word that is marked as a keyword when `words` holds it: a word
  // begins with a character for which `starts` is true and goes on while `continues` is;
  // the line's last character ends it too. Returns whether a word is still being collected.
  bool KeywordStep(bool collecting, bool starts, bool continues, std::string& word, int& mark,
                   const TWordList& words) {
    if (!collecting) {
      if (starts) {
        collecting = true;
        word.clear();
        mark = p_;
      }
    } else {
      int end = p_ - 1;
      if (lastChar_) {
        if (continues) word += Upper(ch_);
        continues = false;
        end = p_;
      }
      if (!continues) {
        if (words.ContainsUpper(word)) Mark(mark, end, ccKey);
        collecting = false;
      }
    }
    if (collecting) word += Upper(ch_);
    return collecting;
  }

  // A character inside a quoted PHP or script string; a backslash escapes the next one.
  void StringChar(bool& inString) {
    if (escape_) {
      escape_ = false;
    } else {
      escape_ = ch_ == '\\';
      if (ch_ == quote_) inString = false;
    }
    kinds_[p_] = ccStr;
  }

  // Numbers in PHP and script text; true when it took the character.
  bool NumberStep() {
    if (!inNumber_ && isDigit_ && Is(prev_, kNumberLead)) {
      inNumber_ = true;
      kinds_[p_] = ccNum;
      return true;
    }
    if (inNumber_) {
      if (Is(ch_, kHexPart)) {
        kinds_[p_] = ccNum;
        return true;
      }
      inNumber_ = false;
    }
    return false;
  }

  void ScriptStep() {
    kinds_[p_] = isWordChar_ ? ccSpace : ccSym;
    if (!jsString_) {
      if ((ch_ == '\'' || ch_ == '"') && !jsLineComment_) {
        quote_ = ch_;
        jsString_ = true;
        kinds_[p_] = ccStr;
        return;
      }
    } else {
      StringChar(jsString_);
      return;
    }
    if (ch_ == '>' && SameText(LastChars(9), "</SCRIPT>")) {
      state_.InScript = 0;
      // The script element is over: a later stray > must not reopen it.
      state_.ScriptTag = 0;
      Mark(p_ - 8, p_, ccKey);
      return;
    }
    if (jsLineComment_) {
      kinds_[p_] = ccCmt;
      return;
    }
    if (Pair('/', '/')) {
      jsLineComment_ = true;
      Mark(p_ - 1, p_, ccCmt);
      return;
    }
    if (NumberStep()) return;
    state_.InWord = KeywordStep(state_.InWord, isAlpha_, isWordChar_, scriptWord_, scriptMark_, hl_.JSWords());
  }

  // Style text inside <!-- -->; true when it took the character.
  bool StyleStep() {
    kinds_[p_] = isWordChar_ ? ccSpace : ccSym;
    if (ch_ == '>' && SameText(LastChars(8), "</STYLE>")) {
      state_.StyleTag = 0;
      Mark(p_ - 7, p_, ccKey);
      return true;
    }
    if (!inNumber_ && (isDigit_ || ch_ == '#') && Is(prev_, kNumberLead)) {
      inNumber_ = true;
      kinds_[p_] = ccNum;
      return true;
    }
    if (inNumber_) {
      if (Is(ch_, kCSSNumberPart)) {
        kinds_[p_] = ccNum;
        return true;
      }
      inNumber_ = false;
    }
    state_.InWord = KeywordStep(state_.InWord, isAlpha_, isWordChar_ || ch_ == '-', scriptWord_, scriptMark_,
                                hl_.CSSWords());
    return false;
  }

  const TPHPHighLight& hl_;
  std::string_view text_;
  TCharCtx* kinds_;
  int len_;
  TScanState& state_;

  // Copies of the state's comment and tag flags, written back at the end of the line.
  bool inComment_;
  bool inTag_;
  // Flags that never outlive a line: strings and line comments end with it.
  bool collecting_ = false;  // a tag word or a PHP word is being collected
  bool phpString_ = false;
  bool phpLineComment_ = false;
  bool inVariable_ = false;
  bool inNumber_ = false;
  bool escape_ = false;
  bool jsString_ = false;
  bool jsLineComment_ = false;
  std::string word_;  // the tag or PHP word, upper-cased
  int mark_ = 0;      // where word_ began
  std::string scriptWord_;  // the JavaScript or CSS word, upper-cased
  int scriptMark_ = 0;
  char quote_ = 0;  // the quote of the PHP or script string

  // The position, its character, and the marker windows.
  int p_ = 0;
  char ch_ = 0;
  bool lastChar_ = false;
  bool isAlpha_ = false, isDigit_ = false, isWordChar_ = false;
  char c_ = ' ';           // the current character as the windows see it
  char prev_ = 0;          // c_ of the previous position
  char prevOfPrev_ = '\0';  // prev_ of the previous position
  char before_ = 0;        // first character of the triple window
};

}  // namespace

void TPHPHighLight::ScanLine(std::string_view text, TScanState& state) {
  kinds_.resize(text.size());
  TLineScan(*this, text, kinds_.data(), state).Run();
}

}  // namespace zemblo
