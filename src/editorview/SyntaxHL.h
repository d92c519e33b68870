// The highlighter framework: what the editor's colouring hook is bound to, and the one thing
// a highlighter reads from the editor besides the line being drawn, its logical lines.
#pragma once

#include <string>

#include "editor/CharAttr.h"

namespace zemblo {

// The editor's logical lines as a highlighter sees them when it has to rescan lines that are
// not being drawn. The editor's line store plugs in through a small adapter.
class ILineSource {
 public:
  virtual ~ILineSource() = default;
  virtual int Count() const = 0;
  // The text of logical line `index`, without any line break; "" outside 0 .. Count() - 1.
  virtual std::string Get(int index) const = 0;
};

// Any line store with `int Count() const` and `std::string Get(int) const` (the editor's
// TAdvLines has both) seen as an ILineSource. It refers to the store; it does not own it.
template <class TLines>
class TLineSourceOf : public ILineSource {
 public:
  explicit TLineSourceOf(const TLines& lines) : lines_(lines) {}
  int Count() const override { return lines_.Count(); }
  std::string Get(int index) const override { return lines_.Get(index); }

 private:
  const TLines& lines_;
};

class TSyntaxHighLight {
 public:
  virtual ~TSyntaxHighLight() = default;

  // Fills `attrs` for logical line `line`, whose `text` ends with kEndOfLineMarker. Lines of
  // one paint arrive in increasing order; `selFlags` is not used by our highlighters.
  virtual void HighlightLine(TAdvancedEditor* sender, const std::string& text, int line,
                             const TSelAttrs& selFlags, TLineAttrs& attrs) = 0;
  // Forgets every stored line state (after a file was loaded).
  virtual void Reset() = 0;

  // The value for the editor's OnHighlightLine. It calls this highlighter without owning it,
  // so the editor must drop the hook before the highlighter goes away.
  THighlightLineEvent Hook();
};

}  // namespace zemblo
