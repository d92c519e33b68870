// A gap buffer: a vector with a movable hole, so that runs of insertions and deletions at
// one place (typing, a paste, an undo) cost time proportional to how far the place moved,
// not to the length of the whole sequence.
#pragma once

#include <cassert>
#include <utility>
#include <vector>

namespace zemblo {

template <class T>
class TSplitVector {
 public:
  int Length() const { return length_; }
  int Capacity() const { return static_cast<int>(body_.size()); }

  T& operator[](int i) {
    assert(i >= 0 && i < length_);
    return i < part1Length_ ? body_[i] : body_[i + gapLength_];
  }
  const T& operator[](int i) const {
    assert(i >= 0 && i < length_);
    return i < part1Length_ ? body_[i] : body_[i + gapLength_];
  }

  void Insert(int pos, T value) {
    assert(pos >= 0 && pos <= length_);
    RoomFor(1);
    GapTo(pos);
    body_[part1Length_] = std::move(value);
    ++part1Length_;
    --gapLength_;
    ++length_;
  }

  // Removes `count` elements from `pos`; their slots are reset so that they free what
  // they held at once.
  void Delete(int pos, int count = 1) {
    assert(pos >= 0 && count >= 0 && pos + count <= length_);
    if (count == 0) return;
    GapTo(pos);
    for (int i = 0; i < count; ++i) body_[part1Length_ + gapLength_ + i] = T();
    gapLength_ += count;
    length_ -= count;
  }

  void Clear() {
    body_.clear();
    body_.shrink_to_fit();
    part1Length_ = gapLength_ = length_ = 0;
  }

  // Makes room for `extra` more elements without moving the gap's contents.
  void Reserve(int extra) { RoomFor(extra); }

 private:
  // Invariants: body_.size() == length_ + gapLength_; the live elements are
  // body_[0, part1Length_) followed by body_[part1Length_ + gapLength_, body_.size());
  // the slots of the gap hold default or moved-from values.
  std::vector<T> body_;
  int part1Length_ = 0;
  int gapLength_ = 0;
  int length_ = 0;

  void GapTo(int pos) {
    // Without a gap the two parts touch: only the boundary moves (and moving an element
    // onto itself would empty it).
    if (pos == part1Length_ || gapLength_ == 0) {
      part1Length_ = pos;
      return;
    }
    if (pos < part1Length_) {
      for (int i = part1Length_ - 1; i >= pos; --i) body_[i + gapLength_] = std::move(body_[i]);
    } else {
      for (int i = part1Length_; i < pos; ++i) body_[i] = std::move(body_[i + gapLength_]);
    }
    part1Length_ = pos;
  }

  // Grows as a list of pointers does: by a quarter above 64 slots, by 16 above 8, else by 4.
  void RoomFor(int extra) {
    if (gapLength_ >= extra) return;
    int size = static_cast<int>(body_.size());
    int grow = size > 64 ? size / 4 : size > 8 ? 16 : 4;
    int newSize = size + std::max(grow, extra - gapLength_);
    GapTo(length_);
    body_.resize(newSize);
    gapLength_ = newSize - length_;
  }
};

}  // namespace zemblo
