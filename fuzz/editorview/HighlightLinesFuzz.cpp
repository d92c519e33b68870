// Random text through the PHP highlighter, line after line, as the editor draws it: no crash,
// no read or write past a buffer, Kinds as long as each line. Then the text is edited and a
// screen around the edit drawn again, and every line drawn must look as it does when the
// edited text is coloured from scratch: the stored line states must never leave a stale
// colour behind.
//
// Input: the text, lines separated by '\n'. Its last line, if it starts with "@", instead
// describes the edit: "@<line> <op>" with op 'r' (replace by the text after the op), 'i'
// (insert it) or 'd' (delete the line).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "editorview/HiLiPHP.h"

namespace {

using namespace zemblo;

class TLines : public ILineSource {
 public:
  int Count() const override { return static_cast<int>(Lines.size()); }
  std::string Get(int i) const override { return i >= 0 && i < Count() ? Lines[static_cast<size_t>(i)] : std::string(); }
  std::vector<std::string> Lines;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

// Draws lines from..to and returns their kinds.
std::vector<std::vector<TCharCtx>> Draw(TPHPHighLight& hl, const TLines& lines, int from, int to) {
  std::vector<std::vector<TCharCtx>> out;
  for (int i = from; i <= to; ++i) {
    std::string text = lines.Get(i) + kEndOfLineMarker;
    // Exactly as many cells as the text has characters, so that the address sanitizer sees
    // any write past them.
    TLineAttrs attrs(text.size());
    hl.HighlightLine(nullptr, text, i, TSelAttrs(text.size()), attrs);
    Check(hl.Kinds().size() == text.size());
    for (size_t k = 0; k < text.size(); ++k) Check(attrs[k].Color == kCharCtxColors[hl.Kinds()[k]]);
    out.push_back(hl.Kinds());
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Loading the word lists costs more than most inputs, so both highlighters live on; Reset
  // makes each input start from the top, as after loading a file.
  static TLines lines, fresh;
  static TPHPHighLight& hl = *new TPHPHighLight(lines);
  static TPHPHighLight& reference = *new TPHPHighLight(fresh);

  std::string_view input(reinterpret_cast<const char*>(data), size);
  lines.Lines.clear();
  size_t start = 0;
  for (;;) {
    size_t nl = input.find('\n', start);
    lines.Lines.emplace_back(input.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start));
    if (nl == std::string_view::npos) break;
    start = nl + 1;
  }
  std::string edit;
  if (lines.Lines.size() > 1 && !lines.Lines.back().empty() && lines.Lines.back()[0] == '@') {
    edit = lines.Lines.back();
    lines.Lines.pop_back();
  }

  hl.Reset();
  int count = lines.Count();
  Draw(hl, lines, 0, count - 1);
  if (edit.empty()) return 0;

  // "@<line> <op><text>"
  size_t pos = 1;
  int at = 0;
  while (pos < edit.size() && edit[pos] >= '0' && edit[pos] <= '9' && at < 100000) at = at * 10 + (edit[pos++] - '0');
  if (pos < edit.size() && edit[pos] == ' ') ++pos;
  char op = pos < edit.size() ? edit[pos++] : 'r';
  std::string text = edit.substr(pos);
  at %= count;
  if (op == 'i') {
    lines.Lines.insert(lines.Lines.begin() + at, text);
  } else if (op == 'd' && count > 1) {
    lines.Lines.erase(lines.Lines.begin() + at);
  } else {
    lines.Lines[static_cast<size_t>(at)] = text;
  }
  count = lines.Count();
  if (at >= count) at = count - 1;

  fresh.Lines = lines.Lines;
  reference.Reset();
  auto expected = Draw(reference, fresh, 0, count - 1);

  // A screen from a few lines above the edit, then one further down.
  int top = at >= 3 ? at - 3 : 0;
  int bottom = at + 5 < count ? at + 5 : count - 1;
  auto got = Draw(hl, lines, top, bottom);
  for (int i = top; i <= bottom; ++i) Check(got[static_cast<size_t>(i - top)] == expected[static_cast<size_t>(i)]);
  int from = (at * 7 + 11) % count;
  got = Draw(hl, lines, from, count - 1);
  for (int i = from; i < count; ++i) Check(got[static_cast<size_t>(i - from)] == expected[static_cast<size_t>(i)]);
  return 0;
}
