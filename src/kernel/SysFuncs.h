// The few wrappers around the operating system and the GUI that the rest of the program
// reaches through the one `SystemFunctions` object.
#pragma once

#include <string>

namespace zemblo {

// What only the GUI can do; the program entry installs an implementation.
class ISystemGui {
 public:
  virtual ~ISystemGui() = default;
  // A folder picker starting at `startFolder`; "" when cancelled.
  virtual std::string BrowseForFolder(const std::string& startFolder) = 0;
  // Closes and frees every top-level window.
  virtual void FreeAllForms() = 0;
};

class TSystemFunctions {
 public:
  std::string GetExeName() const;
  // The executable's folder, ending in PathDelim.
  std::string GetAppPath() const;
  // The whole file, unchanged; raises EInOutError.
  std::string ReadFileToString(const std::string& path) const;
  // Replaces the file with exactly these bytes (safely: the old file survives a failure);
  // raises EInOutError.
  void WriteStringToFile(const std::string& path, const std::string& content) const;
  // Starts the program in its own folder and waits for it to end. Returns its exit status,
  // or -1 (at once, quietly) when it could not be started.
  int RunAndWait(const std::string& program, const std::string& parameters) const;
  // "" when cancelled or when there is no GUI.
  std::string BrowseForFolder(const std::string& startFolder) const;
  // The user's documents folder, ending in PathDelim.
  std::string GetMyDocuments() const;
  void FreeAllForms() const;

  void SetGui(ISystemGui* gui) { gui_ = gui; }
  // Tests run from a test binary's folder; they point the program folder elsewhere.
  void SetExeNameForTesting(const std::string& exe) { exeOverride_ = exe; }

 private:
  ISystemGui* gui_ = nullptr;
  std::string exeOverride_;
};

}  // namespace zemblo
