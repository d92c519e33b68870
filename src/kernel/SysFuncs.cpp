#include "kernel/SysFuncs.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/SpecialFolders.h"

namespace zemblo {

std::string TSystemFunctions::GetExeName() const {
  return exeOverride_.empty() ? GetExePath() : exeOverride_;
}

std::string TSystemFunctions::GetAppPath() const { return ExtractFilePath(GetExeName()); }

std::string TSystemFunctions::ReadFileToString(const std::string& path) const { return ReadFileBytes(path); }

void TSystemFunctions::WriteStringToFile(const std::string& path, const std::string& content) const {
  WriteFileSafely(path, content);
}

int TSystemFunctions::RunAndWait(const std::string& program, const std::string& parameters) const {
  return zemblo::RunAndWait(program, parameters, ExtractFilePath(program));
}

std::string TSystemFunctions::BrowseForFolder(const std::string& startFolder) const {
  return gui_ ? gui_->BrowseForFolder(startFolder) : std::string();
}

std::string TSystemFunctions::GetMyDocuments() const { return GetDocumentsFolder(); }

void TSystemFunctions::FreeAllForms() const {
  if (gui_) gui_->FreeAllForms();
}

}  // namespace zemblo
