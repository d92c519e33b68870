#include "project/KXProject.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace zemblo {

namespace {
const char kFileName[] = "RunTime.FileName";
const char kPrjPath[] = "RunTime.PrjPath";
}  // namespace

bool TKXProject::IsOpen() { return !INI.GetValue(kFileName).empty(); }

std::string TKXProject::ResourcePath() {
  std::string name = INI.GetValue("Resource.File");
  return name.empty() ? std::string() : INI.GetValue(kPrjPath) + NativePath(name);
}

void TKXProject::Load(const std::string& path) {
  Clear();
  try {
    INI.LoadFromFile(path);
  } catch (const Exception&) {
    // An unreadable project file opens as a project without settings.
  }
  INI.SetValue(kFileName, path);
  INI.SetValue(kPrjPath, ExtractFilePath(path));
  // The tree keeps its old content when the file cannot be opened; start from nothing so the
  // previous project's windows never end up in this one.
  XML.Clear();
  std::string res = ResourcePath();
  if (!res.empty()) XML.LoadFromFile(res);
}

void TKXProject::Save() {
  std::string fileName = INI.GetValue(kFileName);
  std::string prjPath = INI.GetValue(kPrjPath);
  if (fileName.empty()) return;
  INI.SetValue(kFileName, "");
  INI.SetValue(kPrjPath, "");
  try {
    INI.SaveToFile(fileName);
  } catch (...) {
    INI.SetValue(kFileName, fileName);
    INI.SetValue(kPrjPath, prjPath);
    throw;
  }
  INI.SetValue(kFileName, fileName);
  INI.SetValue(kPrjPath, prjPath);
  std::string res = ResourcePath();
  try {
    if (!res.empty()) XML.SaveToFile(res);
  } catch (const Exception&) {
    // The resource file is written on a best-effort basis at every save.
  }
}

std::string TKXProject::ReadProjectFile(const std::string& relativePath) {
  std::string path = INI.GetValue(kPrjPath) + NativePath(relativePath);
  if (!FileExists(path)) return std::string();
  try {
    return ReadFileBytes(path);
  } catch (const Exception&) {
    return std::string();
  }
}

bool TKXProject::HasWindow(const std::string& id) const {
  return XML.Root && XML.Root->FindChild("WINDOW", id) != nullptr;
}

}  // namespace zemblo
