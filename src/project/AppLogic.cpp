#include "project/AppLogic.h"

#include <cstdio>

#include "kernel/AppKernel.h"
#include "kernel/AppObjects.h"
#include "kernel/VantrelINI.h"
#include "platform/FileSystem.h"

namespace zemblo {

void TAppLogic::Alert(const std::string& message) {
  if (shell_) shell_->Alert(message);
  else std::fprintf(stderr, "%s\n", message.c_str());
}

void TAppLogic::SaveProject() {
  if (shell_) shell_->SaveEditorFile();
  AppObjects->Project->Save();
}

void TAppLogic::OpenProject(const std::string& path) {
  AppObjects->Project->Load(path);
  IDESettings->SetValue("IDE.LastProject", path);
  if (shell_ && shell_->IsShown()) shell_->RefreshProject();
}

void TAppLogic::OpenLastProject() {
  std::string last = IDESettings->GetValue("IDE.LastProject");
  if (FileExists(last)) OpenProject(last);
}

void TAppLogic::ReopenProject() {
  SaveProject();
  OpenProject(ProjectINI().GetValue("RunTime.FileName"));
}

}  // namespace zemblo
