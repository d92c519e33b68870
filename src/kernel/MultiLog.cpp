#include "kernel/MultiLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <thread>

#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/SpecialFolders.h"
#include "platform/SysInfo.h"
#include "platform/Text.h"

namespace zemblo {

namespace {

std::mutex& Lock() {
  static std::mutex m;
  return m;
}
std::string g_path;
bool g_enabled = false;
THeapCounters g_baseline;
bool g_guardActive = false;

}  // namespace

std::string LogPrefix(unsigned processId, unsigned threadId, long long stamp) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.8X:%.8X:%llX:", processId, threadId, static_cast<unsigned long long>(stamp));
  return buf;
}

long long LogTimeStamp() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  double micros = static_cast<double>(duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000);
  double seconds = static_cast<double>(t) + static_cast<double>(local.tm_gmtoff) + micros / 1e6;
  double days = seconds / 86400.0 + 25569.0;  // 1899-12-30 to 1970-01-01
  return std::llround(days * 1e8);
}

void WriteLog(const std::string& message) {
  std::lock_guard<std::mutex> guard(Lock());
  if (!g_enabled) return;
  int fd = ::open(g_path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return;
  std::string prefix = LogPrefix(CurrentProcessId(), CurrentThreadId(), LogTimeStamp());
  std::string block = prefix + ReplaceAll(message, "\r\n", "\r\n" + prefix) + "\r\n";
  size_t done = 0;
  while (done < block.size()) {
    ssize_t n = ::write(fd, block.data() + done, block.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  ::close(fd);
}

int MeasureCpuMHz() {
  TPriorityBoost boost;
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  uint64_t a = ReadTimeStampCounter();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  uint64_t b = ReadTimeStampCounter();
  return static_cast<int>(static_cast<uint32_t>(b - a) / 20000u);
}

void LogSysInfo() {
  WriteLog("+SysInfo");
  char buf[128];
  std::snprintf(buf, sizeof buf, " CPU x%d, %d MHz", ProcessorCount(), MeasureCpuMHz());
  WriteLog(buf);
  WriteLog(" RAM " + IntToStr(static_cast<long long>(PhysicalMemoryBytes() >> 20)) + " Mb");
  std::string os = OperatingSystemName();
  if (!os.empty()) WriteLog(" " + os);
  WriteLog("-SysInfo");
}

void LeakGuard(bool start) {
  if (start) {
    g_baseline = HeapCounters();
  } else if (g_guardActive) {
    THeapCounters now = HeapCounters();
    char buf[128];
    std::snprintf(buf, sizeof buf, "Memory Leak Guard - Count:%lld Size:%lld", now.Blocks - g_baseline.Blocks,
                  now.Bytes - g_baseline.Bytes);
    WriteLog(buf);
  }
  g_guardActive = start;
}

std::string MultiLogPath() {
  return GetTempFolder() + ChangeFileExt(ExtractFileName(GetExePath()), ".log");
}

void MultiLogStart() {
  {
    std::lock_guard<std::mutex> guard(Lock());
    g_path = MultiLogPath();
    int fd = ::open(g_path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);  // never created here
    if (fd < 0) return;
    ::close(fd);
    g_enabled = true;
  }
  WriteLog("================| " + g_path + " |================");
  LogSysInfo();
  LeakGuard(true);
}

void MultiLogEnd() {
  if (!MultiLogEnabled()) return;
  LeakGuard(false);
  WriteLog(std::string(45, '='));
  std::lock_guard<std::mutex> guard(Lock());
  g_enabled = false;
}

bool MultiLogEnabled() {
  std::lock_guard<std::mutex> guard(Lock());
  return g_enabled;
}

}  // namespace zemblo
