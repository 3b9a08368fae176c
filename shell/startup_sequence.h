#pragma once

namespace tavo {

// The places of the start-up sequence that later parts of the shell fill. Each answers
// whether the sequence goes on.

// Registry write access, the temporary folder, a running product, the restart from a
// temporary copy in uninstall mode.
bool RunStartupChecks();

// Reads the version of the carried main program into setupVersion and displayName.
bool ProbeSetupVersion();

// Finds installed products and database servers.
bool RunInstallationDetection();

}  // namespace tavo
