#include "platform/SysInfo.h"

#include <malloc.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace zemblo {

int ProcessorCount() {
  long n = ::sysconf(_SC_NPROCESSORS_ONLN);
  return n > 0 ? static_cast<int>(n) : 1;
}

uint64_t PhysicalMemoryBytes() {
  long pages = ::sysconf(_SC_PHYS_PAGES);
  long size = ::sysconf(_SC_PAGESIZE);
  return pages > 0 && size > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(size) : 0;
}

uint64_t ReadTimeStampCounter() {
#if defined(__x86_64__) || defined(__i386__)
  return __rdtsc();
#else
  return 0;
#endif
}

TPriorityBoost::TPriorityBoost() : oldNice_(::getpriority(PRIO_PROCESS, 0)) {
  // Only a privileged process may raise its priority; an unprivileged one measures as it is.
  boosted_ = ::setpriority(PRIO_PROCESS, 0, -20) == 0;
}

TPriorityBoost::~TPriorityBoost() {
  if (boosted_) ::setpriority(PRIO_PROCESS, 0, oldNice_);
}

THeapCounters HeapCounters() {
  THeapCounters c;
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
  struct mallinfo2 mi = ::mallinfo2();
  // glibc keeps no count of ordinary chunks in use, only of its separately mapped blocks;
  // the byte figure covers both kinds.
  c.Blocks = static_cast<long long>(mi.hblks);
  c.Bytes = static_cast<long long>(mi.uordblks + mi.hblkhd);
#endif
  return c;
}

std::string OperatingSystemName() {
  struct utsname u;
  if (::uname(&u) != 0) return std::string();
  return std::string(u.sysname) + " " + u.release + " (" + u.machine + ")";
}

}  // namespace zemblo
