#include "project/AppLogic.h"

#include <cstdio>

#include "kernel/AppKernel.h"
#include "kernel/AppObjects.h"
#include "kernel/VantrelINI.h"
#include "kernel/SysFuncs.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "project/NewItems.h"
#include "project/ProjectBuilder.h"

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

void TAppLogic::BuildProject() {
  TProjectBuilder builder;
  builder.Build(*AppObjects->Project);
}

namespace {
// The run log as lines: LF ends a line, a CR before it is dropped, and a last line without
// an end still counts.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}
}  // namespace

int TAppLogic::RunProject() {
  std::string exe = TProjectBuilder::ExeFileName(*AppObjects->Project);
  if (!FileExists(exe)) {
    Alert("Executable is not found!");
    return -1;
  }
  if (shell_) shell_->MinimizeApp();
  int status = SystemFunctions->RunAndWait(exe, "");
  if (shell_) shell_->RestoreApp();

  std::string log = ChangeFileExt(exe, ".log");
  std::string text;
  bool haveLog = FileExists(log);
  if (haveLog) {
    try {
      text = ReadFileBytes(log);
    } catch (const Exception&) {
      haveLog = false;
    }
  }
  if (shell_) {
    if (haveLog) shell_->ShowRunLog(SplitLines(text));
    else shell_->ClearRunLog();
  }
  return status;
}

std::string TAppLogic::NewWindow() {
  TKXProject& project = *AppObjects->Project;
  if (!project.IsOpen()) return "";
  std::string name = NextWindowName(project);
  AddWindow(project, name);
  SaveProject();
  ReopenProject();
  return name;
}

bool TAppLogic::RemoveWindow(const std::string& id) {
  TKXProject& project = *AppObjects->Project;
  if (!project.HasWindow(id)) return false;
  std::string script = ProjectINI().GetValue("RunTime.PrjPath") + id + ".php";
  if (!FileExists(script)) return false;
  project.XML.Root->DeleteChild(project.XML.Root->FindChild("WINDOW", id));
  SaveProject();
  DeleteFile(script);
  OpenProject(ProjectINI().GetValue("RunTime.FileName"));
  return true;
}

}  // namespace zemblo
