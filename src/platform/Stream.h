// Seekable byte streams: the abstract stream, one over memory and one over a file, and a
// file stream that replaces its target only once everything was written.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zemblo {

enum class TSeekOrigin { Beginning, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;

  // Reads up to `count` bytes; returns how many came (0 at the end).
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Writes `count` bytes; returns how many were taken.
  virtual size_t Write(const void* buffer, size_t count) = 0;
  // Moves the position; returns the new position. Positions past the end are allowed.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual int64_t Size();
  virtual void SetSize(int64_t size) = 0;

  int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::Beginning); }

  // All or nothing: EReadError / EWriteError when fewer bytes move.
  void ReadBuffer(void* buffer, size_t count);
  void WriteBuffer(const void* buffer, size_t count);
  void WriteString(std::string_view bytes) { WriteBuffer(bytes.data(), bytes.size()); }

  // Copies `count` bytes from `source`'s position; count 0 copies all of `source` from its
  // start. Returns the number of bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string_view bytes) : data_(bytes.begin(), bytes.end()) {}

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  void SetSize(int64_t size) override;

  const char* Memory() const { return data_.data(); }
  char* Memory() { return data_.data(); }
  std::string Bytes() const { return std::string(data_.begin(), data_.end()); }
  void Clear() { data_.clear(); pos_ = 0; }

  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path);

 private:
  std::vector<char> data_;
  int64_t pos_ = 0;
};

class TFileStream : public TStream {
 public:
  enum Mode {
    fmCreate,         // create or truncate, read and write
    fmOpenRead,       // existing file, read only
    fmOpenWrite,      // existing file, write only
    fmOpenReadWrite,  // existing file, read and write
  };
  // Raises EFCreateError (fmCreate) or EFOpenError (the others).
  TFileStream(const std::string& path, Mode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;

  const std::string& FileName() const { return path_; }

 protected:
  TFileStream() = default;
  void Close();
  int fd_ = -1;
  std::string path_;
};

// Writes into a temporary file beside `path`; Commit() puts it in place of `path` in one
// rename, so a crash, a full disk or a failed write never destroys the previous file.
// Destroyed without Commit(), it removes the temporary file and leaves `path` alone.
class TSafeFileStream : public TFileStream {
 public:
  // Raises EFCreateError naming `path` when the temporary file cannot be made.
  explicit TSafeFileStream(const std::string& path);
  ~TSafeFileStream() override;

  size_t Write(const void* buffer, size_t count) override;

  // Flushes to disk and renames over the target; raises EInOutError on failure.
  void Commit();

 private:
  std::string target_;
  bool committed_ = false;
};

// Test seam: when set, the next `n` Write calls on any TSafeFileStream succeed and every
// one after fails as a full disk would, until it is set again. -1 (the default) turns it off.
void SetSafeWriteFailureAfter(int n);

}  // namespace zemblo
