#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavo {

// The "setup" command of tavopack, the last step of the setup's build:
//   setup build PROGRAM PAYLOAD-DIR OUT   PROGRAM followed by every file of PAYLOAD-DIR (in
//                                         name order; the file name is the payload's name)
//                                         and the trailer, written to OUT with PROGRAM's mode
//   setup list IN                         the program's size, then one line per payload: name
//                                         and size, tab-separated
//   setup logo OUT                        the side picture of the windows as a bitmap
// args are the words after "setup". Results as for the other commands: 0 done, 1 failed,
// 2 wrong use.
int RunSetupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string SetupUsage();

}  // namespace tavo
