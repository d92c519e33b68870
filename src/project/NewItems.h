// What the New Project, New Window and Remove Window commands do to the project and its
// folder; the main window adds its own steps (the dialog, the tabs, the designer).
#pragma once

#include <string>

namespace zemblo {

class TKXProject;

// The script of a new window named `name`: "<?php", an empty line, "class <name> extends
// Win32Wnd{}", "?>", joined by CR LF, without a line end after the last (46 bytes for
// NewWnd01).
std::string WindowScript(const std::string& name);

// The project name for a title: each of " * / : < > ? \ | becomes "_".
std::string ProjectNameOf(const std::string& title);

// Creates a new project folder in "IDE.ProjectsFolder" from the template folder "VT.NewPrj"
// (its "New.kxp" renamed after the project) and returns the project's name: the title's
// name, or that name with "_2", "_3" ... when the folder exists. Raises EInOutError when no
// projects folder is set or the new folder cannot be created.
std::string MakeProject(const std::string& title);

// The project file of the project named `name` made by MakeProject, in the form the New
// Project command opens it: projects folder + PathDelim + name + PathDelim + name + ".kxp".
std::string NewProjectFileName(const std::string& name);

// The first of NewWnd01, NewWnd02 ... NewWnd99, NewWnd100 ... that has neither a script in
// the project folder nor a WINDOW element (letter case ignored).
std::string NextWindowName(TKXProject& project);

// Appends a WINDOW element (id, w 400, h 250, title) for `name` to the resource tree's root,
// when there is a root, and writes the window's script. Raises EInOutError when the script
// cannot be written.
void AddWindow(TKXProject& project, const std::string& name);

}  // namespace zemblo
