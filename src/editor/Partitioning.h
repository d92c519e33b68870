// The starts of consecutive partitions (the lines of a text) along a running total (their
// display rows, or their characters with the line breaks), kept so that reading a start is
// O(1), finding the partition of a position is a binary search, and a change of one
// partition's length is cheap when the next change happens nearby: the shift of all later
// starts is kept pending as one "step" and only applied to the entries it passes over when
// the place of change moves.
#pragma once

#include "editor/SplitVector.h"

namespace zemblo {

class TPartitioning {
 public:
  TPartitioning() { starts_.Insert(0, 0); }

  int Partitions() const { return starts_.Length() - 1; }
  int Total() const { return Start(Partitions()); }

  // 0 <= i <= Partitions(); Start(Partitions()) is the total.
  int Start(int i) const { return starts_[i] + (i > stepPartition_ ? stepLength_ : 0); }
  int Length(int i) const { return Start(i + 1) - Start(i); }

  // A new partition i (0 <= i <= Partitions()) of the given length; the partitions from
  // i on move up by one index and by `length` positions.
  void InsertPartition(int i, int length) {
    int pos = Start(i);
    if (stepPartition_ >= i) {
      starts_.Insert(i, pos);
      ++stepPartition_;
    } else {
      starts_.Insert(i, pos - stepLength_);
    }
    Shift(i, length);
  }

  // Removes partition i together with its length.
  void RemovePartition(int i) {
    Shift(i, -Length(i));
    // Entry i + 1 now equals entry i; drop it.
    starts_.Delete(i + 1);
    if (stepPartition_ >= i + 1) --stepPartition_;
    if (stepPartition_ >= Partitions()) {
      stepPartition_ = Partitions();
      stepLength_ = 0;
    }
  }

  // Partition i grows by delta (negative: shrinks): every later start moves by delta.
  void Shift(int i, int delta) {
    if (delta == 0) return;
    if (stepLength_ != 0) MoveStepTo(i);
    stepPartition_ = i;
    stepLength_ += delta;
  }

  // The partition holding `pos`: the last i < Partitions() with Start(i) <= pos; 0 for
  // positions before the start, Partitions() - 1 for positions at or past the total, -1
  // when there are no partitions.
  int PartitionFromPosition(int pos) const {
    int n = Partitions();
    if (n == 0) return -1;
    int lo = 0, hi = n - 1;
    if (pos >= Start(hi)) return hi;
    while (lo < hi) {
      int mid = lo + (hi - lo + 1) / 2;
      if (Start(mid) <= pos)
        lo = mid;
      else
        hi = mid - 1;
    }
    return lo;
  }

  void Clear() {
    starts_.Clear();
    starts_.Insert(0, 0);
    stepPartition_ = 0;
    stepLength_ = 0;
  }

  void Reserve(int extra) { starts_.Reserve(extra); }

 private:
  // Invariant: the real start of partition i is starts_[i], plus stepLength_ when
  // i > stepPartition_; 0 <= stepPartition_ <= Partitions().
  TSplitVector<int> starts_;
  int stepPartition_ = 0;
  int stepLength_ = 0;

  void MoveStepTo(int i) {
    if (i > stepPartition_) {
      for (int j = stepPartition_ + 1; j <= i; ++j) starts_[j] += stepLength_;
    } else {
      for (int j = i + 1; j <= stepPartition_; ++j) starts_[j] -= stepLength_;
    }
    stepPartition_ = i;
  }
};

}  // namespace zemblo
