// Files and folders. Every call here reports failure by its result unless it says it raises.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zemblo {

bool FileExists(const std::string& path);       // a file, not a folder
bool DirectoryExists(const std::string& path);  // a folder
bool CreateDir(const std::string& path);        // one level
bool ForceDirectories(const std::string& path); // every missing level
bool DeleteFile(const std::string& path);
bool RemoveDir(const std::string& path);        // an empty folder
bool RenameFile(const std::string& from, const std::string& to);
// Copies the bytes and the permission bits; with failIfExists an existing target stays.
bool CopyFile(const std::string& from, const std::string& to, bool failIfExists);
// Gives `to` the permission bits of `from` (a built program keeps its loader's right to run).
bool CopyPermissions(const std::string& from, const std::string& to);
int64_t FileSize(const std::string& path);      // -1 when missing

struct TDirEntry {
  std::string Name;
  bool IsDir = false;
};

// The entries of `folder` whose names match `pattern` ("*.zip", "*.*", "*"; "*" and "?"
// wildcards, letter case ignored), without "." and "..". Sorted by name without regard to
// case, so every listing is stable.
std::vector<TDirEntry> ListFolder(const std::string& folder, const std::string& pattern);

// Whole-file reads and writes of bytes, unchanged. Both raise EInOutError.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Same as WriteFileBytes, but through TSafeFileStream: the old file survives any failure.
void WriteFileSafely(const std::string& path, const std::string& bytes);

// Wildcard match used by ListFolder.
bool MatchesMask(const std::string& name, const std::string& pattern);

}  // namespace zemblo
