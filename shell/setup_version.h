#pragma once

#include <string>

namespace tavo {

// The file version of the carried main program, written into the temporary folder for the
// look and deleted again: "?" when it cannot be written, empty when it has no version record.
std::string ReadSetupVersion();

// setupVersion, the program's version text and displayName from ReadSetupVersion, and the
// log line "Version: " + displayName.
void ProbeVersion();

}  // namespace tavo
