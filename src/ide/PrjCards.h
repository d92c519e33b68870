// What a card of the welcome page's project list says about one project folder.
#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace zemblo {

struct TProjectCard {
  std::string Name;       // the folder's name, which is also the project file's name
  std::string TitleLine;  // "Calc 1.2 (Simple calculator)"
  std::string LastBuild;  // "Last build: 5 March 2007, 14:03." or "Last build: Never."
  std::string IconPath;   // the project's appicon.bmp, or "" when it has none
};

// The folders F of `projectsFolder` that hold their own F.kxp, in listing order.
std::vector<std::string> ListProjects(const std::string& projectsFolder);

// Reads the project file of `name` in `projectsFolder` (without changing it) and the time of
// its built executable.
TProjectCard ReadProjectCard(const std::string& projectsFolder, const std::string& name);

// "d mmmm yyyy, hh:nn." in the user's locale ("5 March 2007, 14:03.").
std::string FormatBuildTime(std::time_t t);

// `folder` + "/" + `rest`, as the list builds its paths (a folder that already ends in a
// delimiter gets a second one, which the file system accepts).
std::string ProjectPath(const std::string& projectsFolder, const std::string& name, const std::string& file);

}  // namespace zemblo
