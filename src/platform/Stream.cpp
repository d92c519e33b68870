#include "platform/Stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Errors.h"

namespace zemblo {

int64_t TStream::Size() {
  int64_t pos = Seek(0, TSeekOrigin::Current);
  int64_t end = Seek(0, TSeekOrigin::End);
  Seek(pos, TSeekOrigin::Beginning);
  return end;
}

void TStream::ReadBuffer(void* buffer, size_t count) {
  if (count && Read(buffer, count) != count) throw EReadError();
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
  if (count && Write(buffer, count) != count) throw EWriteError();
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  int64_t done = 0;
  std::vector<char> buf(static_cast<size_t>(std::min<int64_t>(count, 1 << 16)));
  while (done < count) {
    size_t n = static_cast<size_t>(std::min<int64_t>(count - done, static_cast<int64_t>(buf.size())));
    source.ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    done += static_cast<int64_t>(n);
  }
  return done;
}

// --- memory ---

size_t TMemoryStream::Read(void* buffer, size_t count) {
  int64_t size = Size();
  if (pos_ >= size || count == 0) return 0;
  size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), size - pos_));
  std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += static_cast<int64_t>(n);
  return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  size_t end = static_cast<size_t>(pos_) + count;
  if (end > data_.size()) data_.resize(end);
  std::memcpy(data_.data() + pos_, buffer, count);
  pos_ = static_cast<int64_t>(end);
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == TSeekOrigin::Beginning ? 0 : origin == TSeekOrigin::Current ? pos_ : Size();
  int64_t p = base + offset;
  if (p < 0) p = 0;
  pos_ = p;
  return pos_;
}

void TMemoryStream::SetSize(int64_t size) {
  data_.resize(static_cast<size_t>(size < 0 ? 0 : size));
  if (pos_ > size) pos_ = size;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
  TFileStream f(path, TFileStream::fmOpenRead);
  int64_t size = f.Size();
  data_.assign(static_cast<size_t>(size), 0);
  f.ReadBuffer(data_.data(), data_.size());
  pos_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) {
  TFileStream f(path, TFileStream::fmCreate);
  f.WriteBuffer(data_.data(), data_.size());
}

// --- file ---

TFileStream::TFileStream(const std::string& path, Mode mode) : path_(path) {
  int flags = 0;
  switch (mode) {
    case fmCreate: flags = O_RDWR | O_CREAT | O_TRUNC; break;
    case fmOpenRead: flags = O_RDONLY; break;
    case fmOpenWrite: flags = O_WRONLY; break;
    case fmOpenReadWrite: flags = O_RDWR; break;
  }
  fd_ = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  if (fd_ >= 0 && mode != fmCreate) {
    struct stat st;
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd_);
      fd_ = -1;
      errno = EISDIR;
    }
  }
  if (fd_ < 0) {
    std::string reason = SysErrorMessage(errno);
    if (mode == fmCreate) throw EFCreateError(path, reason);
    throw EFOpenError(path, reason);
  }
}

TFileStream::~TFileStream() { Close(); }

void TFileStream::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

size_t TFileStream::Read(void* buffer, size_t count) {
  size_t done = 0;
  while (done < count) {
    ssize_t n = ::read(fd_, static_cast<char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

size_t TFileStream::Write(const void* buffer, size_t count) {
  size_t done = 0;
  while (done < count) {
    ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence = origin == TSeekOrigin::Beginning ? SEEK_SET : origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(fd_, static_cast<off_t>(offset), whence);
  if (r < 0) throw EInOutError("Seek error in \"" + path_ + "\". " + SysErrorMessage(errno));
  return static_cast<int64_t>(r);
}

void TFileStream::SetSize(int64_t size) {
  if (::ftruncate(fd_, static_cast<off_t>(size)) != 0)
    throw EInOutError("Cannot set the size of \"" + path_ + "\". " + SysErrorMessage(errno));
}

// --- safe replacement ---

namespace {
int g_failAfter = -1;

// Writes that the test seam lets through before it fails one.
bool SeamAllowsWrite() {
  if (g_failAfter < 0) return true;
  if (g_failAfter == 0) return false;
  --g_failAfter;
  return true;
}

std::string TempNameFor(const std::string& path) {
  return path + ".~" + std::to_string(::getpid()) + ".tmp";
}
}  // namespace

void SetSafeWriteFailureAfter(int n) { g_failAfter = n; }

TSafeFileStream::TSafeFileStream(const std::string& path) : target_(path) {
  path_ = TempNameFor(path);
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) throw EFCreateError(path, SysErrorMessage(errno));
  // Keep the permissions of the file we replace.
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) ::fchmod(fd_, st.st_mode & 07777);
}

size_t TSafeFileStream::Write(const void* buffer, size_t count) {
  if (!SeamAllowsWrite()) return 0;
  return TFileStream::Write(buffer, count);
}

TSafeFileStream::~TSafeFileStream() {
  if (!committed_) {
    Close();
    ::unlink(path_.c_str());
  }
}

void TSafeFileStream::Commit() {
  bool ok = true;
  int err = 0;
  if (ok && ::fsync(fd_) != 0) { ok = false; err = errno; }
  if (ok && ::close(fd_) != 0) { ok = false; err = errno; }
  if (ok) fd_ = -1;
  if (ok && ::rename(path_.c_str(), target_.c_str()) != 0) { ok = false; err = errno; }
  if (!ok) {
    Close();
    ::unlink(path_.c_str());
    committed_ = true;  // nothing left to clean up
    throw EInOutError("Cannot write file \"" + target_ + "\". " + SysErrorMessage(err));
  }
  committed_ = true;
}

}  // namespace zemblo
