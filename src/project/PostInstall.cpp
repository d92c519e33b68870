#include "project/PostInstall.h"

#include "kernel/AppKernel.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "zip/PKZIP.h"

namespace zemblo {

void MakeDirPath(const std::string& path) {
  for (size_t i = 0; i < path.size(); ++i)
    if (path[i] == '/' || path[i] == '\\') {
      std::string prefix = path.substr(0, i + 1);
      if (!DirectoryExists(prefix)) CreateDir(prefix);
    }
  if (!path.empty() && !DirectoryExists(path)) CreateDir(path);
}

std::string EntryTargetPath(const std::string& entryName) {
  if (entryName.empty() || entryName.find('\0') != std::string::npos) return "";
  if (IsPathDelimiter(entryName[0])) return "";                 // absolute
  if (entryName.size() > 1 && entryName[1] == ':') return "";   // a drive, "C:x" included
  std::string target;
  size_t start = 0;
  while (start <= entryName.size()) {
    size_t end = start;
    while (end < entryName.size() && !IsPathDelimiter(entryName[end])) ++end;
    if (entryName.compare(start, end - start, "..") == 0) return "";
    target.append(entryName, start, end - start);
    if (end < entryName.size()) target += PathDelim;
    start = end + 1;
  }
  return target;
}

void UnzipToFolder(const std::string& archive, const std::string& destination) {
  TFileStream file(archive, TFileStream::fmOpenRead);
  TPKZIP zip;
  zip.Open(&file);
  for (size_t i = 0; i < zip.Entries.size(); ++i) {
    std::string relative = EntryTargetPath(zip.Entries[i].Name);
    if (relative.empty()) continue;
    std::string target = destination + relative;
    MakeDirPath(ExtractFilePath(target));
    if (DirectoryExists(target)) continue;  // folder entries ("images/") end here
    zip.Extract(i);
    WriteFileBytes(target, zip.Entries[i].Data);
    zip.Entries[i].Data.clear();  // one entry's bytes in memory at a time
  }
}

void InstallSamples() {
  std::string projects = SystemFunctions->GetMyDocuments() + "Zemblo" + PathDelim;
  IDESettings->SetValue("IDE.ProjectsFolder", projects);
  CreateDir(projects);

  std::string zips = SystemFunctions->GetAppPath() + "prjzip" + PathDelim;
  for (const TDirEntry& e : ListFolder(zips, "*.zip")) {
    if (e.IsDir) continue;
    std::string target = projects + ChangeFileExt(e.Name, "") + PathDelim;
    if (DirectoryExists(target)) continue;
    try {
      CreateDir(target);
      UnzipToFolder(zips + e.Name, target);
    } catch (const std::exception&) {
      // A damaged archive costs only its own sample; the others still arrive.
    }
  }
}

}  // namespace zemblo
