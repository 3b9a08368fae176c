#pragma once

#include <string>

namespace tavo {

// Tells the user about an error: the message goes to the log raw (with its "|" values) and
// is shown as a notice; a fatal one adds "Ende." and ends the program in order.
void StopWithMessage(const std::string& message, bool fatal);

}  // namespace tavo
