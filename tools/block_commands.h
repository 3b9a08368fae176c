#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavo {

// The "block" commands of tavopack, for the build of the payloads and for looking into them:
//   block pack IN OUT [--name NAME] [--time DAYS]   IN as one compressed block in OUT
//   block unpack IN OUT                              the content of the block IN in OUT
//   block info IN                                    the header of IN and whether it verifies
// args are the words after "block". Results: 0 done, 1 failed (one line on err), 2 wrong
// use (usage on err). Output files are written whole or not at all.
int RunBlockCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// What the commands print for wrong use.
std::string BlockUsage();

}  // namespace tavo
