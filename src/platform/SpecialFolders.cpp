#include "platform/SpecialFolders.h"

#include <cstdlib>
#include <fstream>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace zemblo {

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" in user-dirs.dirs.
std::string DocumentsFromUserDirs(const std::string& home) {
  std::string config = Env("XDG_CONFIG_HOME");
  if (config.empty()) {
    if (home.empty()) return std::string();
    config = home + "/.config";
  }
  std::ifstream in(config + "/user-dirs.dirs");
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (!StartsWith(line, "XDG_DOCUMENTS_DIR=")) continue;
    std::string v = line.substr(18);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    if (StartsWith(v, "$HOME")) v = home + v.substr(5);
    return v;
  }
  return std::string();
}

}  // namespace

std::string GetDocumentsFolder() {
  std::string home = Env("HOME");
  std::string docs = Env("XDG_DOCUMENTS_DIR");
  if (docs.empty()) docs = DocumentsFromUserDirs(home);
  if (!docs.empty() && DirectoryExists(docs)) return IncludeTrailingPathDelimiter(docs);
  if (!home.empty() && DirectoryExists(home + "/Documents")) return IncludeTrailingPathDelimiter(home + "/Documents");
  if (!home.empty()) return IncludeTrailingPathDelimiter(home);
  return std::string(1, PathDelim);
}

std::string GetTempFolder() {
  std::string t = Env("TMPDIR");
  if (t.empty() || !DirectoryExists(t)) t = "/tmp";
  return IncludeTrailingPathDelimiter(t);
}

}  // namespace zemblo
