#pragma once

#include <string>

namespace tavo {

// The text of an error report: message, the user's description, the last log lines and a
// description of the program and the machine (CR LF line ends).
std::string ErrorReportText(const std::string& message, const std::string& description);

}  // namespace tavo
