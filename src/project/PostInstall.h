// The first run: the sample projects shipped as ZIP archives in the program folder's
// "prjzip/" are unpacked into the user's projects folder.
#pragma once

#include <string>

namespace zemblo {

// Creates every missing folder along `path` (each prefix up to a "/" or "\", then the whole
// path). Failures are ignored.
void MakeDirPath(const std::string& path);

// Writes every file entry of the archive below `destination` (which ends in a delimiter),
// replacing files of the same name. An entry whose name is absolute, carries a drive, climbs
// out with ".." or holds a NUL byte is skipped: an archive never writes outside its
// destination. Errors (an unreadable archive, a damaged entry, a file that cannot be
// written) propagate.
void UnzipToFolder(const std::string& archive, const std::string& destination);

// The path of an entry below the destination ("images/a.bmp" in this platform's form), or ""
// when the entry must not be written.
std::string EntryTargetPath(const std::string& entryName);

// Sets "IDE.ProjectsFolder" to the documents folder + "Zemblo/" and unpacks each archive of
// "prjzip/" into a folder named after it, skipping folders that exist. One archive's errors
// never stop the others.
void InstallSamples();

}  // namespace zemblo
