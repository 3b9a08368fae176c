#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavo {

// The "archive" commands of tavopack, for the server tree of the payload and for looking
// into archives:
//   archive create DIR OUT    every file below DIR as one block of the archive OUT, the
//                             files of a folder in name order before its subfolders
//   archive list IN           one line per entry: unpacked length, stored length and the
//                             native relative path, separated by tabs
//   archive extract IN DIR    every entry below DIR; an existing file is not replaced
// args are the words after "archive". Results: 0 done, 1 failed (reasons on err), 2 wrong
// use (usage on err). OUT is written whole or not at all.
int RunArchiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The archive lines of tavopack's usage, which follow BlockUsage(); wrong use prints both.
std::string ArchiveUsage();

}  // namespace tavo
