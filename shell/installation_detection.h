#pragma once

#include <string>

namespace tavo {

// Finds the installed product (or its sibling) and a database server with its program and
// fills the detection fields of SetupState; a log block "checkinstalliert". Never stops the
// program: what is missing or unreadable stays not found.
void checkinstalliert();

// setupNewer and sameVersion against an installed version text, with the log line
// installed + " neuer? - " + "gleich" | "älter" | "ja".
void CompareInstalledVersion(const std::string& installedVersion);

}  // namespace tavo
