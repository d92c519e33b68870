// Reads the version block of an executable and fills text templates with its numbers.
// Windows programs keep the block among their PE resources; ours, on any platform, carries
// the same block as data built from the project version, and the reader finds both.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zemblo {

class TFileVersionInfo {
 public:
  explicit TFileVersionInfo(std::string fileName) : FileName(std::move(fileName)) {}

  std::string FileName;

  // Defaults when the file has no readable block.
  std::string ProductName = "?";
  std::string Major = "0", Minor = "1", Release = "0", Build = "1";
  bool PreRelease = false;

  void ReadVersion();
  // ReadVersion, then {P} {MAJ} {MIN} {B} {R} {RI} replaced, in that order, in any letter case.
  std::string FormatVersion(const std::string& templ);

  // The same from the bytes of a file (what ReadVersion does after reading it).
  void ReadVersionFrom(std::string_view fileBytes);
};

// The version block inside an executable's bytes: from the PE resource directory when the
// file is a PE image, otherwise the first embedded block found by its signature.
std::optional<std::string_view> FindVersionBlock(std::string_view fileBytes);

// Looks a path such as "\" (the root value), "\VarFileInfo\Translation" or
// "\StringFileInfo\040904E4\ProductName" up in a version block; returns the value bytes.
std::optional<std::string_view> QueryVersionValue(std::string_view block, std::string_view path);

}  // namespace zemblo
