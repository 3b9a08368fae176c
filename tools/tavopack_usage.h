#pragma once

#include <string>

namespace tavo {

// tavopack's whole usage, every command group in one layout; shown when a call is not
// understood.
std::string TavopackUsage();

}  // namespace tavo
