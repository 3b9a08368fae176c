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
    bool clientLibraryLoaded = false;
};

extern TSetupState SetupState;

// The main window unit's initialisation, before any form exists: the setup's identity, the
// program start, the UI style. False when this process must end at once (another instance
// runs).
bool InitSetupUnit();

}  // namespace tavo
