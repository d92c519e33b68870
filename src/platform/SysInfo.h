// Facts about the machine for the diagnostic log.
#pragma once

#include <cstdint>
#include <string>

namespace zemblo {

int ProcessorCount();
uint64_t PhysicalMemoryBytes();
// The processor's time-stamp counter (0 where there is none).
uint64_t ReadTimeStampCounter();
// Raises the calling thread's priority for a short measurement and puts it back.
class TPriorityBoost {
 public:
  TPriorityBoost();
  ~TPriorityBoost();
 private:
  int oldNice_;
  bool boosted_;
};

// The allocator's count of blocks in use and of bytes in use (glibc's mallinfo2).
struct THeapCounters {
  long long Blocks = 0;
  long long Bytes = 0;
};
THeapCounters HeapCounters();

// "Linux 6.1.0 (x86_64)" and the like.
std::string OperatingSystemName();

}  // namespace zemblo
