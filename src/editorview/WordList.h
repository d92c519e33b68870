// The keyword lists of the highlighters: sorted, upper-cased, free of duplicates, searched by
// halving. They are loaded from the raw data resources compiled into the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zemblo {

class TWordList {
 public:
  void Clear();
  // Adds `word` upper-cased (ASCII letters only), keeping the list sorted; an empty word or
  // one already present (without regard to case) changes nothing.
  void Add(std::string_view word);
  // Whether `word`, upper-cased, is in the list.
  bool Contains(std::string_view word) const;
  // Same for a word the caller has already upper-cased: the scanners collect words that way,
  // so their lookups copy nothing.
  bool ContainsUpper(std::string_view upperWord) const;

  int Count() const { return static_cast<int>(words_.size()); }
  const std::vector<std::string>& Words() const { return words_; }

  // Replaces the whole list by the words of `text`: runs of bytes between spaces, carriage
  // returns and line feeds, in any combination; a last word without a separator counts too.
  void SetText(std::string_view text);

 private:
  // Invariant: strictly increasing by byte value, every entry non-empty and free of a-z.
  std::vector<std::string> words_;
  // The longest entry: a longer word cannot be in the list, and a shorter one upper-cases
  // into a small buffer.
  size_t maxLength_ = 0;
};

// Loads `list` from the raw data resource `name`. A missing resource raises Exception
// ("Resource <name> not found").
void LoadWordList(TWordList& list, std::string_view name);

}  // namespace zemblo
