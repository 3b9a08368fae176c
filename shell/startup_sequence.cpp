#include "shell/startup_sequence.h"

#include "shell/installation_detection.h"
#include "shell/setup_version.h"
#include "shell/startup_checks.h"

namespace tavo {

bool RunStartupChecks() {
    return StartupChecks();
}

bool ProbeSetupVersion() {
    ProbeVersion();
    return true;
}

bool RunInstallationDetection() {
    checkinstalliert();
    return true;
}

}  // namespace tavo
