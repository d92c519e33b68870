#include "kernel/VantrelINI.h"

#include <algorithm>

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"
#include "platform/Text.h"

namespace zemblo {

namespace {
std::string_view KeyOf(std::string_view entry, bool& hasEq) {
  size_t eq = entry.find('=');
  hasEq = eq != std::string_view::npos;
  return hasEq ? entry.substr(0, eq) : entry;
}
}  // namespace

std::string TVantrelINI::GetValue(std::string_view key) {
  std::string result;
  for (const auto& e : entries_) {
    bool hasEq;
    std::string_view k = KeyOf(e, hasEq);
    if (hasEq && SameText(k, key)) result = e.substr(k.size() + 1);
  }
  if (result.empty()) SetValue(key, "");
  return result;
}

void TVantrelINI::SetValue(std::string_view key, std::string_view value) {
  std::string entry = std::string(key) + "=" + std::string(value);
  for (size_t i = entries_.size(); i-- > 0;) {
    bool hasEq;
    if (KeyOf(entries_[i], hasEq) == key) {
      entries_[i] = std::move(entry);
      return;
    }
  }
  entries_.push_back(std::move(entry));
}

bool TVantrelINI::GetBool(std::string_view key) { return GetValue(key) == "1"; }
void TVantrelINI::SetBool(std::string_view key, bool value) { SetValue(key, value ? "1" : "0"); }
int32_t TVantrelINI::GetInt(std::string_view key) { return StrToIntDef(GetValue(key), 0); }
void TVantrelINI::SetInt(std::string_view key, int32_t value) { SetValue(key, IntToStr(value)); }

void TVantrelINI::SetLine(std::string_view line) {
  size_t eq = line.find('=');
  if (eq != std::string_view::npos) SetValue(line.substr(0, eq), line.substr(eq + 1));
}

TVantrelINI::TSplit TVantrelINI::SplitEntry(std::string_view entry) {
  TSplit s;
  size_t eq = entry.find('=');
  if (eq == std::string_view::npos) return s;
  s.Name = entry.substr(0, eq);
  s.Value = entry.substr(eq + 1);
  size_t dot = s.Name.find('.');
  if (dot != std::string::npos) {
    s.Section = s.Name.substr(0, dot);
    s.Name = s.Name.substr(dot + 1);
  }
  return s;
}

void TVantrelINI::LoadFromFile(const std::string& path) {
  std::string bytes = ReadFileBytes(path);
  // Ctrl-Z ends a text file.
  size_t eof = bytes.find('\x1A');
  if (eof != std::string::npos) bytes.resize(eof);
  std::string section;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t nl = bytes.find('\n', pos);
    size_t end = nl == std::string::npos ? bytes.size() : nl;
    std::string line = Trim(std::string_view(bytes).substr(pos, end - pos));
    pos = nl == std::string::npos ? bytes.size() : nl + 1;
    if (line.empty()) continue;
    if (line[0] == '[') {
      // The last character goes whether or not it is "]".
      section = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string();
    } else if (line.find('=') != std::string::npos) {
      SetLine(section.empty() ? line : section + "." + line);
    }
  }
}

std::string TVantrelINI::SaveToString() {
  std::sort(entries_.begin(), entries_.end(),
            [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
  std::string out;
  std::string current;
  bool headerWritten = false;
  for (const auto& e : entries_) {
    TSplit s = SplitEntry(e);
    if (!headerWritten || s.Section != current) {
      if (headerWritten) out += "\r\n";
      current = s.Section;
      headerWritten = true;
      out += "[" + current + "]\r\n";
    }
    out += s.Name + "=" + s.Value + "\r\n";
  }
  out += "\r\n";
  return out;
}

void TVantrelINI::SaveToFile(const std::string& path) {
  std::string text = SaveToString();
  std::unique_ptr<TSafeFileStream> f;
  try {
    f = std::make_unique<TSafeFileStream>(path);
  } catch (const EFCreateError&) {
    return;  // a file that cannot be created ends the save without a word
  }
  f->WriteString(text);
  f->Commit();
}

}  // namespace zemblo
