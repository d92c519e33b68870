#include "project/NewItems.h"

#include <cstdio>
#include <memory>

#include "kernel/AppKernel.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "project/KXProject.h"

namespace zemblo {

std::string WindowScript(const std::string& name) {
  return "<?php\r\n\r\nclass " + name + " extends Win32Wnd{}\r\n?>";
}

std::string ProjectNameOf(const std::string& title) {
  std::string name = title;
  for (char& c : name)
    if (std::string_view("\"*/:<>?\\|").find(c) != std::string_view::npos) c = '_';
  return name;
}

std::string MakeProject(const std::string& title) {
  std::string projects = IDESettings->GetValue("IDE.ProjectsFolder");
  // Without a projects folder the new folder would land in the file system's root.
  if (projects.empty()) throw EInOutError("No projects folder is set; choose one in the configuration.");

  std::string base = ProjectNameOf(title);
  std::string name, folder;
  for (int k = 1;; ++k) {
    name = k == 1 ? base : base + "_" + IntToStr(k);
    folder = projects + PathDelim + name + PathDelim;
    if (!DirectoryExists(folder)) break;
  }
  // A projects folder removed since it was chosen comes back rather than failing the command.
  if (!ForceDirectories(folder)) throw EInOutError("Cannot create the project folder \"" + folder + "\".");

  std::string templ = projects + PathDelim + "VT.NewPrj" + PathDelim;
  for (const TDirEntry& e : ListFolder(templ, "*.*")) {
    if (e.IsDir) continue;
    std::string target = SameText(e.Name, "New.kxp") ? name + ".kxp" : e.Name;
    CopyFile(templ + e.Name, folder + target, true);
  }
  return name;
}

std::string NewProjectFileName(const std::string& name) {
  return IDESettings->GetValue("IDE.ProjectsFolder") + PathDelim + name + PathDelim + name + ".kxp";
}

std::string NextWindowName(TKXProject& project) {
  std::string folder = project.INI.GetValue("RunTime.PrjPath");
  for (int k = 1;; ++k) {
    char name[32];
    std::snprintf(name, sizeof name, "NewWnd%.2d", k);
    if (!FileExists(folder + name + ".php") && !project.HasWindow(name)) return name;
  }
}

void AddWindow(TKXProject& project, const std::string& name) {
  if (project.XML.Root) {
    auto window = std::make_unique<TXMLNode>("WINDOW");
    window->SetAttribute("id", name);
    window->SetAttribute("w", "400");
    window->SetAttribute("h", "250");
    window->SetAttribute("title", name);
    project.XML.Root->AddChild(std::move(window));
  }
  SystemFunctions->WriteStringToFile(project.INI.GetValue("RunTime.PrjPath") + name + ".php", WindowScript(name));
}

}  // namespace zemblo
