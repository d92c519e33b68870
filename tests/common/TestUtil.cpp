#include "TestUtil.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zemblo::test {

namespace fs = std::filesystem;

TTempDir::TTempDir() {
  std::string tmpl = (fs::temp_directory_path() / "zemblo-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl + "/";
}

TTempDir::~TTempDir() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
  std::error_code ec;
  // Folders made read-only by a test must become writable again to be removed.
  for (auto it = fs::recursive_directory_iterator(path, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
    if (it->is_directory(ec)) ::chmod(it->path().c_str(), 0755);
  ::chmod(path.c_str(), 0755);
  fs::remove_all(path, ec);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

static std::string WithSlash(std::string s) {
  if (!s.empty() && s.back() != '/') s += '/';
  return s;
}

std::string BinDir() {
  const char* v = std::getenv("ZEMBLO_BIN_DIR");
  return WithSlash(v && *v ? v : ZEMBLO_TEST_BIN_DIR);
}

std::string SourceDir() {
  const char* v = std::getenv("ZEMBLO_SOURCE_DIR");
  return WithSlash(v && *v ? v : ZEMBLO_TEST_SOURCE_DIR);
}

void PrepareTestEnvironment() {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The embedded PHP must not load the system's extension modules into a sanitizer build.
  ::setenv("PHP_INI_SCAN_DIR", "", 1);
  static std::string runtime;
  if (runtime.empty()) {
    runtime = (fs::temp_directory_path() / ("zemblo-xdg-" + std::to_string(::getuid()))).string();
    fs::create_directories(runtime);
    ::chmod(runtime.c_str(), 0700);
  }
  ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
}

}  // namespace zemblo::test
