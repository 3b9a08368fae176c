#pragma once

#include <string>

namespace tavo::platform {

// The machine's folders, mapped from their Windows counterparts. Every folder path ends in "/".

std::string TempFolder();          // $TMPDIR, else R/tmp/
std::string ProgramFilesFolder();  // R/opt/
std::string WindowsFolder();       // R/etc/
std::string HomeFolder();          // R + $HOME
std::string DocumentsFolder();     // the XDG documents folder under R, else the home folder
std::string AppDataFolder();       // R + $XDG_CONFIG_HOME, else the home folder's .config/

// The special folders by their Windows numbers: 2 the user's start-menu programs, 7 the
// user's autostart, 16 the user's desktop, 23 and 24 the same for all users, 25 all users'
// desktop (none here). Empty for a number without a folder; the folder may not exist yet.
std::string SpecialFolderPath(int number);

// The running program's file and folder (from /proc/self/exe).
std::string ProgramFile();
std::string ProgramFolder();

// True when a file can be created in the folder and deleted again.
bool CanCreateAndDelete(const std::string& folder);

}  // namespace tavo::platform
