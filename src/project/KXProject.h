// The open project: its settings (the project file) and its window tree (the resource file).
// One object serves the whole run; opening another project reloads it in place.
#pragma once

#include <string>

#include "kernel/VantrelINI.h"
#include "window/XML.h"

namespace zemblo {

class TKXProject {
 public:
  TVantrelINI INI;  // the project file's entries plus "RunTime.FileName" and "RunTime.PrjPath"
  TXMLTree XML;     // the resource file's document; its root may be absent

  // Whether a project is open: "RunTime.FileName" is not empty.
  bool IsOpen();

  void Clear() { INI.Clear(); }
  // Opens the project file at `path`. An unreadable project file gives a project with only
  // the run-time keys; the window tree always comes from this project's own resource file
  // (or is empty), never from the project open before.
  void Load(const std::string& path);
  // Writes the project file, then the resource file. Nothing happens when no project is
  // open. A failure writing the project file propagates (the run-time keys are put back
  // first); one writing the resource file is swallowed.
  void Save();
  // The bytes of the project folder's file at `relativePath` ("images\a.bmp" is fine), or ""
  // when there is no such file or it cannot be read.
  std::string ReadProjectFile(const std::string& relativePath);
  // A child of the root named WINDOW whose "id" is `id` (both without regard to case).
  bool HasWindow(const std::string& id) const;

 private:
  std::string ResourcePath();
};

}  // namespace zemblo
