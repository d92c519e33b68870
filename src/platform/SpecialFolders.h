// Folders the desktop names for the user.
#pragma once

#include <string>

namespace zemblo {

// The user's documents folder, ending in PathDelim: $XDG_DOCUMENTS_DIR (from the
// environment or ~/.config/user-dirs.dirs), else $HOME/Documents when it exists, else $HOME.
// A single PathDelim when none of these is known.
std::string GetDocumentsFolder();

// The folder for temporary files, ending in PathDelim.
std::string GetTempFolder();

}  // namespace zemblo
