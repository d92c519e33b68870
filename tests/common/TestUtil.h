// Small helpers shared by the tests: a private temporary folder, whole-file reads and
// writes, and where the program folder and the sources are.
#pragma once

#include <string>

namespace zemblo::test {

// A fresh folder under the temp folder, removed with everything in it on destruction.
// Path() ends in "/".
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);
void RemoveTree(const std::string& path);

// The build's program folder (ends in "/") and the source tree (ends in "/").
std::string BinDir();
std::string SourceDir();

// Sets up the process environment every test program wants (offscreen Qt, a private
// XDG_RUNTIME_DIR, no PHP extension scan); the test mains call it first.
void PrepareTestEnvironment();

}  // namespace zemblo::test
