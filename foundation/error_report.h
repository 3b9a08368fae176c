#pragma once

#include <string>

namespace tavo {

// The text of an error report: message, the user's description, the last log lines and a
// description of the program and the machine (CR LF line ends).
std::string ErrorReportText(const std::string& message, const std::string& description);

// The system section of the report: program, operating system, computer, processor, memory.
std::string ErrorReportSystemSection();

// The message as the report shows it: the first 60,000 characters, placeholders filled.
std::string ErrorReportMessage(const std::string& text);

}  // namespace tavo
