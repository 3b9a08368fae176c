#pragma once

#include <functional>
#include <string>

namespace tavo {

// The hand-over of a mail to the user's own mail program, which shows it for review before
// anything is sent; the setup never sends mail itself. Simple messages go as a "mailto:"
// link through the desktop's opener, others through the mail client (TmyMapiClient: on
// this platform xdg-email, which takes recipients, subject, body and attachments).

// The message handed over. Address lists hold several addresses separated by ",";
// attachments are full file paths separated by CR LF.
struct TMapiMail {
    std::string recipients;
    std::string copyRecipients;
    std::string blindCopyRecipients;
    std::string subject;
    std::string body;
    std::string attachments;
};

// Settings of the hand-over, process-wide, with the setup's values.
struct TMapiSettings {
    int mode = 0;  // 0 link when possible, else the client; 1 always the client; 2 always the link
    int logonFlags = -1;          // -1: the logon-dialog flag only (1); 8 is added for review
    bool systemMapi = false;      // the system's hand-over instead of the client's own
    std::string preferredClient;  // display name of a mail client to use instead of the default
    bool addressPrefix = false;   // "SMTP:" before every address
    std::function<bool(const TMapiMail&)> hook;  // replaces the whole hand-over when set
};

TMapiSettings& MapiSettings();

// True when the message was handed over (the link was opened or the client accepted it).
bool mailPerMapi(const TMapiMail& mail, bool dialog);

// The "mailto:" link of a message: recipients, "?subject=" and "&body=" with "&" as "+",
// blanks as "%20" and line ends as "%0A"; "%" and "#" are escaped so that they cannot end
// or garble the link. A body without a subject follows as "?body=".
std::string MailtoLink(const TMapiMail& mail);

}  // namespace tavo
