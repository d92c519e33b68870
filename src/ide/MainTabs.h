// The main window's tab strip as data: which tabs a project has, in which order, and which
// page each one shows.
#pragma once

#include <string>
#include <vector>

namespace zemblo {

class TKXProject;

enum class TTabKind { Welcome, Project, Script, Window };

// Notebook pages, in this order.
enum TMainPage { pgWelcome = 0, pgProject = 1, pgScript = 2, pgDesigner = 3 };

// "Projects", the project file's name, "Main.php", then the windows and scripts sorted; just
// "Projects" when no project is open.
std::vector<std::string> BuildTabList(TKXProject& project);

// The kind follows from the caption alone (and, for a window, the project's tree).
TTabKind TabKindOf(const std::string& caption, const TKXProject& project);

// The settings key prefix of the editor's positions for a script: "Editor.Files." + name.
std::string EditorPosKey(const std::string& fileName);

}  // namespace zemblo
