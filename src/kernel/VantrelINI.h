// The one key/value store: IDE settings, project files and the project list all use it.
// Keys are dotted ("IDE.ProjectsFolder"): the part before the first dot is the file section.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zemblo {

class TVantrelINI {
 public:
  // Reads match keys without regard to ASCII case; the last matching entry wins. A key read
  // and found empty is added with an empty value, so the next save writes it.
  std::string GetValue(std::string_view key);
  // Replaces the last entry whose key is byte-for-byte equal, or appends one.
  void SetValue(std::string_view key, std::string_view value);
  bool GetBool(std::string_view key);  // true only for "1"
  void SetBool(std::string_view key, bool value);
  int32_t GetInt(std::string_view key);  // 0 when the value does not convert
  void SetInt(std::string_view key, int32_t value);
  // "name=value" stored as SetValue(name, value); a line without "=" is ignored.
  void SetLine(std::string_view line);

  struct TSplit {
    std::string Section, Name, Value;
  };
  static TSplit SplitEntry(std::string_view entry);

  // Merges the file's entries; raises EInOutError when the file cannot be opened.
  void LoadFromFile(const std::string& path);
  // Sorts the entries and writes them by section. A file that cannot be created ends the
  // save silently; a write error raises EInOutError and leaves the old file untouched.
  void SaveToFile(const std::string& path);
  // The bytes SaveToFile writes (sorting the entries first, as the save does).
  std::string SaveToString();

  void Clear() { entries_.clear(); }
  // Entries as "key=value" texts, in list order.
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

}  // namespace zemblo
