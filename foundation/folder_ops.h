#pragma once

#include <string>

namespace tavo {

// Folder operations. Folder paths end in "/" (NormalizeFolder gives that form). Every
// operation that changes the machine logs what it does.

bool ForceFolder(const std::string& path);   // all missing levels; a file path names its folder
bool CreateFolder(const std::string& path);  // one level; true when it exists afterwards
bool FolderExists(const std::string& path);
bool FolderIsEmpty(const std::string& path);  // entries beginning with "." do not count
bool deletedir(const std::string& folder, bool sub);
void DeleteMatchingFiles(const std::string& mask);  // wildcards without regard to case
bool RemoveFolder(const std::string& path);

// Trimmed, environment variables ("%TMPDIR%", "$TMPDIR", "${TMPDIR}") expanded, "/" at the end.
std::string NormalizeFolder(const std::string& path);
// Up to and including the last "/"; a quoted path is first cut to its quoted part.
std::string FolderOfPath(const std::string& path);
std::string FileNameOfPath(const std::string& path);
// Every character not allowed in file names replaced, the result trimmed.
std::string SafeFileName(const std::string& name, const std::string& replacement);

}  // namespace tavo
