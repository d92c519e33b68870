#include "ide/PrjCards.h"

#include <sys/stat.h>

#include "kernel/VantrelINI.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace zemblo {

std::string ProjectPath(const std::string& projectsFolder, const std::string& name, const std::string& file) {
  return projectsFolder + PathDelim + name + PathDelim + file;
}

std::vector<std::string> ListProjects(const std::string& projectsFolder) {
  std::vector<std::string> names;
  for (const auto& e : ListFolder(projectsFolder, "*.*"))
    if (e.IsDir && FileExists(ProjectPath(projectsFolder, e.Name, e.Name + ".kxp"))) names.push_back(e.Name);
  return names;
}

std::string FormatBuildTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  char month[64];
  std::strftime(month, sizeof month, "%B", &tm);
  char buf[128];
  std::snprintf(buf, sizeof buf, "%d %s %d, %02d:%02d.", tm.tm_mday, month, tm.tm_year + 1900, tm.tm_hour, tm.tm_min);
  return buf;
}

TProjectCard ReadProjectCard(const std::string& projectsFolder, const std::string& name) {
  TProjectCard card;
  card.Name = name;
  std::string icon = ProjectPath(projectsFolder, name, "appicon.bmp");
  if (FileExists(icon)) card.IconPath = icon;
  std::string lastBuild = "Never.", version, description = "?";
  std::string kxp = ProjectPath(projectsFolder, name, name + ".kxp");
  if (FileExists(kxp)) {
    TVantrelINI ini;
    try {
      ini.LoadFromFile(kxp);
    } catch (const Exception&) {
    }
    version = ini.GetValue("Version.Major") + "." + ini.GetValue("Version.Minor");
    description = ini.GetValue("Project.Description");
    std::string exe = ProjectPath(projectsFolder, name, std::string("exe") + PathDelim + ini.GetValue("Build.ExeName"));
    struct stat st;
    if (FileExists(exe) && ::stat(exe.c_str(), &st) == 0) lastBuild = FormatBuildTime(st.st_mtime);
  }
  card.TitleLine = name + " " + version + " (" + description + ")";
  card.LastBuild = "Last build: " + lastBuild;
  return card;
}

}  // namespace zemblo
