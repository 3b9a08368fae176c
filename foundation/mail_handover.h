#pragma once

#include <string>

namespace tavo {

// Hands a mail to the user's mail program for review before it is sent (xdg-email); logged
// with the tag "mailPerMapi". False when no mail program could be started.
bool HandMailToMailProgram(const std::string& recipient, const std::string& subject,
                           const std::string& body);

}  // namespace tavo
