#include "foundation/mail_handover.h"

#include "foundation/log.h"
#include "platform/process.h"

namespace tavo {

bool HandMailToMailProgram(const std::string& recipient, const std::string& subject,
                           const std::string& body) {
    std::vector<std::string> args = {"--utf8", "--subject", subject};
    if (!body.empty()) {
        args.push_back("--body");
        args.push_back(body);
    }
    args.push_back(recipient);
    WriteLogTagged("mailPerMapi", "xdg-email an " + recipient + ": " + subject, 0);
    const platform::SpawnResult started = platform::SpawnProgram("xdg-email", args, "", true);
    if (started.pid < 0) {
        WriteLogTagged("mailPerMapi", "kein E-Mail-Programm gestartet", 0);
        return false;
    }
    return true;
}

}  // namespace tavo
