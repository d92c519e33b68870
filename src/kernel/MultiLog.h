// The developers' diagnostic log. Off unless the log file already exists when the program
// starts (<temp folder>/<executable name>.log): the program never creates it, only empties
// and fills one that is there.
#pragma once

#include <string>

namespace zemblo {

// Appends one entry (every line prefixed with process, thread and time stamp) when the log
// is on; otherwise only takes the lock. Safe from any thread.
void WriteLog(const std::string& message);

void LogSysInfo();
// true: take the allocator baseline; false: write the difference since the baseline.
void LeakGuard(bool start);
int MeasureCpuMHz();

// The log's start and end; the program entry brackets everything with them.
void MultiLogStart();
void MultiLogEnd();
bool MultiLogEnabled();
std::string MultiLogPath();

// The prefix "%.8X:%.8X:%X:" for the given ids and time stamp value.
std::string LogPrefix(unsigned processId, unsigned threadId, long long stamp);
// Now as days since 30 December 1899 (fraction = time of day), times 10^8, rounded.
long long LogTimeStamp();

}  // namespace zemblo
