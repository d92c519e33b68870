#include "editorview/WordList.h"

#include <algorithm>

#include "platform/Errors.h"
#include "platform/Resources.h"
#include "platform/Text.h"

namespace zemblo {

void TWordList::Clear() {
  words_.clear();
  maxLength_ = 0;
}

void TWordList::Add(std::string_view word) {
  if (word.empty()) return;
  std::string upper = UpperCase(word);
  auto at = std::lower_bound(words_.begin(), words_.end(), upper);
  if (at != words_.end() && *at == upper) return;
  maxLength_ = std::max(maxLength_, upper.size());
  words_.insert(at, std::move(upper));
}

bool TWordList::ContainsUpper(std::string_view upperWord) const {
  if (upperWord.empty() || upperWord.size() > maxLength_) return false;
  size_t lo = 0, hi = words_.size();
  while (lo < hi) {
    size_t mid = lo + (hi - lo) / 2;
    int cmp = std::string_view(words_[mid]).compare(upperWord);
    if (cmp == 0) return true;
    if (cmp < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return false;
}

bool TWordList::Contains(std::string_view word) const {
  if (word.empty() || word.size() > maxLength_) return false;
  std::string upper = UpperCase(word);
  return ContainsUpper(upper);
}

void TWordList::SetText(std::string_view text) {
  Clear();
  // Collect everything first and sort once: a resource holds thousands of words.
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    bool separator = i == text.size() || text[i] == ' ' || text[i] == '\r' || text[i] == '\n';
    if (!separator) continue;
    if (i > start) {
      words_.push_back(UpperCase(text.substr(start, i - start)));
      maxLength_ = std::max(maxLength_, i - start);
    }
    start = i + 1;
  }
  std::sort(words_.begin(), words_.end());
  words_.erase(std::unique(words_.begin(), words_.end()), words_.end());
}

void LoadWordList(TWordList& list, std::string_view name) {
  auto data = FindResource(name);
  if (!data) throw Exception("Resource " + std::string(name) + " not found");
  list.SetText(*data);
}

}  // namespace zemblo
