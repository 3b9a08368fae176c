#pragma once

#include <cstdint>
#include <string>

namespace tavo {

// The setup shell's process-wide record.
struct TSetupState {
    bool installMode = true;
    std::string shortName;
    std::string longName;
    std::string setupVersion;
    std::string displayName;
    std::int16_t stateOk = 0;
    std::int16_t stateOpen = 0;
    std::int16_t stateError = 0;

    // What the installation detection found; all cleared at its start.
    bool productFound = false;     // the product or its sibling is installed
    bool siblingFound = false;     // the sibling is installed
    bool ownProductFound = false;  // the product itself is installed
    bool setupNewer = false;       // the setup's version is newer than the installed one
    bool sameVersion = false;      // the installed version text equals the setup's
    std::string softwarePath;      // folder of the found product, with trailing "/"
    bool serverFound = false;      // a database server folder with its server program
    std::string serverPath;        // that folder, with trailing "/"

    bool clientLibraryLoaded = false;
};

extern TSetupState SetupState;

// The main window unit's initialisation, before any form exists: the setup's identity, the
// program start, the UI style. False when this process must end at once (another instance
// runs).
bool InitSetupUnit();

}  // namespace tavo
