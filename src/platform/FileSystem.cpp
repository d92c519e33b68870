#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "platform/Text.h"

namespace zemblo {

bool FileExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& path) {
  return !path.empty() && ::mkdir(ExcludeTrailingPathDelimiter(path).c_str(), 0777) == 0;
}

bool ForceDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::string p = ExcludeTrailingPathDelimiter(path);
  if (p.empty() || DirectoryExists(p)) return true;  // the root, or already there
  std::string parent = ExtractFilePath(p);
  if (!parent.empty() && !ForceDirectories(parent)) return false;
  return CreateDir(p) || DirectoryExists(p);
}

bool DeleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }
bool RemoveDir(const std::string& path) { return ::rmdir(path.c_str()) == 0; }
bool RenameFile(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool CopyFile(const std::string& from, const std::string& to, bool failIfExists) {
  if (failIfExists && (FileExists(to) || DirectoryExists(to))) return false;
  try {
    struct stat st;
    if (::stat(from.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    TFileStream in(from, TFileStream::fmOpenRead);
    TFileStream out(to, TFileStream::fmCreate);
    out.CopyFrom(in, 0);
    ::chmod(to.c_str(), st.st_mode & 07777);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool CopyPermissions(const std::string& from, const std::string& to) {
  struct stat st;
  return ::stat(from.c_str(), &st) == 0 && ::chmod(to.c_str(), st.st_mode & 07777) == 0;
}

int64_t FileSize(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool MatchesMask(const std::string& name, const std::string& pattern) {
  // "*.*" matches every name, with or without a dot, as the Windows listing does.
  if (pattern == "*.*" || pattern == "*") return true;
  size_t n = 0, p = 0, star = std::string::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || AsciiUpper(pattern[p]) == AsciiUpper(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<TDirEntry> ListFolder(const std::string& folder, const std::string& pattern) {
  std::vector<TDirEntry> result;
  std::string dir = IncludeTrailingPathDelimiter(folder);
  DIR* d = ::opendir(dir.c_str());
  if (!d) return result;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == ".." || !MatchesMask(name, pattern)) continue;
    result.push_back({name, DirectoryExists(dir + name)});
  }
  ::closedir(d);
  std::sort(result.begin(), result.end(), [](const TDirEntry& a, const TDirEntry& b) {
    int c = CompareText(a.Name, b.Name);
    return c != 0 ? c < 0 : a.Name < b.Name;
  });
  return result;
}

std::string ReadFileBytes(const std::string& path) {
  TFileStream f(path, TFileStream::fmOpenRead);
  std::string s(static_cast<size_t>(f.Size()), '\0');
  f.ReadBuffer(s.data(), s.size());
  return s;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  TFileStream f(path, TFileStream::fmCreate);
  f.WriteBuffer(bytes.data(), bytes.size());
}

void WriteFileSafely(const std::string& path, const std::string& bytes) {
  TSafeFileStream f(path);
  f.WriteBuffer(bytes.data(), bytes.size());
  f.Commit();
}

}  // namespace zemblo
