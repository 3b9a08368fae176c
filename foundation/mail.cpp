#include "foundation/mail.h"

#include <sys/stat.h>

#include <exception>
#include <optional>

#include "foundation/dialogs.h"
#include "foundation/log.h"
#include "foundation/mail_client.h"
#include "foundation/shell_start.h"
#include "platform/shell_open.h"

namespace tavo {
namespace {

constexpr char kTag[] = "mailPerMapi";
constexpr size_t kLinkLimit = 256;
constexpr char kSecondLine[] = "\r\nEs wurde keine Nachricht verschickt.";

void Log(const std::string& text) {
    WriteLogTagged(kTag, text, 0);
}

// A link value: "&" as "+", blanks as "%20", line ends as "%0A"; "%" and "#" escaped.
std::string LinkValue(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&')
            out += '+';
        else if (c == ' ')
            out += "%20";
        else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "%0A";
            ++i;
        } else if (c == '\n')
            out += "%0A";
        else if (c == '%')
            out += "%25";
        else if (c == '#')
            out += "%23";
        else
            out += c;
    }
    return out;
}

// At most limit bytes, without splitting an escape or a UTF-8 character.
std::string CutLink(const std::string& link, size_t limit) {
    if (link.size() <= limit) return link;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(link[end]) & 0xC0) == 0x80) --end;
    if (end >= 1 && link[end - 1] == '%') end -= 1;
    if (end >= 2 && link[end - 2] == '%') end -= 2;
    return link.substr(0, end);
}

bool HasExtras(const TMapiMail& mail) {
    return !mail.copyRecipients.empty() || !mail.blindCopyRecipients.empty() ||
           !mail.attachments.empty();
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= text.size()) {
        const size_t end = std::min(text.find(separator, pos), text.size());
        std::string part = text.substr(pos, end - pos);
        const size_t first = part.find_first_not_of(" \t\r\n");
        if (first != std::string::npos)
            parts.push_back(part.substr(first, part.find_last_not_of(" \t\r\n") - first + 1));
        pos = end + separator.size();
    }
    return parts;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

TMapiMessage BuildMessage(const TMapiMail& mail, bool prefix) {
    TMapiMessage message;
    const auto add = [&](const std::string& list, TMapiMessage::Class recipientClass) {
        for (const std::string& address : Split(list, ","))
            message.recipients.push_back({recipientClass, (prefix ? "SMTP:" : "") + address});
    };
    add(mail.blindCopyRecipients, TMapiMessage::Bcc);
    add(mail.copyRecipients, TMapiMessage::Cc);
    add(mail.recipients, TMapiMessage::To);
    for (const std::string& file : Split(mail.attachments, "\r\n")) {
        if (!FileExists(file)) {
            ShowNotice("Dateianlage nicht gefunden: " + file);
            message.attachments.clear();
            break;
        }
        message.attachments.push_back(file);
    }
    message.subject = mail.subject;
    message.body = mail.body;
    return message;
}

std::string SendMailReason(int code) {
    switch (code) {
        case 1:
            return std::string("Der Benutzer hat den Vorgang abgebrochen.") + kSecondLine;
        case 2:
            return "Unbekannter Fehler.";
        case 3:
            return std::string("Loginfehler.") + kSecondLine;
        case 5:
            return std::string("There was insufficient memory to proceed.") + kSecondLine;
        case 9:
            return std::string("Zu viele Dateianlagen.") + kSecondLine;
        case 10:
            return "Zu viele Empfänger.";
        case 11:
            return "Eine Dateianlage konnte nicht gefunden werden.";
        case 12:
            return "Eine Dateianlage konnt nicht geöffnet werden.";
        case 14:
            return "Empfänger nicht in der Adressenliste gefunden.";
        case 15:
            return std::string("The type of a recipient was not MAPI_TO, MAPI_CC, or MAPI_BCC.") +
                   kSecondLine;
        case 18:
            return std::string("Der Text ist zu lang.") + kSecondLine;
        case 21:
            return "Empfänger nicht eindeutig.";
        default:
            return {};
    }
}

// The link path; nothing when the message goes on to the mail client.
std::optional<bool> ByLink(const TMapiMail& given, int mode) {
    TMapiMail mail = given;
    if (HasExtras(mail)) {
        const int choice = AskUser(
            "Die E-Mail-Parameter werden mit der einfachen mailto-Methode nicht "
            "unterstützt.",
            kKindWarning, "erweiterte Methode|i|a");
        if (choice == 0) return std::nullopt;
        if (choice != 1) return false;
        mail.copyRecipients.clear();
        mail.blindCopyRecipients.clear();
        mail.attachments.clear();
    }
    const std::string link = MailtoLink(mail);
    if (mode != 2 && link.size() >= kLinkLimit) return std::nullopt;
    const std::string cut = CutLink(link, kLinkLimit);
    Log(cut);
    const int code = platform::ShellOpen(cut, "", "", false).code;
    if (code > 32) return true;
    ReportStartError(code);
    return false;  // the link did not reach a mail program
}

bool ByClient(const TMapiMail& mail, bool dialog) {
    const TMapiSettings& settings = MapiSettings();
    const TMapiMessage message = BuildMessage(mail, settings.addressPrefix);
    const int flags = (settings.logonFlags == -1 ? 1 : settings.logonFlags) | (dialog ? 8 : 0);
    Log("create...");
    TmyMapiClient client(settings.systemMapi);
    if (!settings.preferredClient.empty()) client.setmailprogramm(settings.preferredClient);
    if (!client.HasSendMail() && !settings.systemMapi) {
        ShowNotice("Das E-Mail-Programm unterstützt Mapi nicht.");
        return false;
    }
    Log(std::string("mapisendmail direkt:") + (settings.systemMapi ? "Ja" : "Nein"));
    const int code = client.SendMail(message, flags);
    if (code == 0) {
        Log("mapisendmail: Ok");
        return true;
    }
    const std::string reason = SendMailReason(code);
    Log("mapisendmail=" + std::to_string(code) + ":" + reason);
    if (code != 1 && !reason.empty()) ShowNotice("Mail-Fehler: " + reason);
    return false;
}

}  // namespace

TMapiSettings& MapiSettings() {
    static TMapiSettings settings;
    return settings;
}

std::string MailtoLink(const TMapiMail& mail) {
    std::string link = "mailto:" + mail.recipients;
    if (!mail.subject.empty()) link += "?subject=" + LinkValue(mail.subject);
    // A body without a subject still goes along rather than being dropped.
    if (!mail.body.empty())
        link += (mail.subject.empty() ? "?body=" : "&body=") + LinkValue(mail.body);
    return link;
}

bool mailPerMapi(const TMapiMail& mail, bool dialog) {
    const TMapiSettings& settings = MapiSettings();
    Log("E-Mail To:" + mail.recipients + " Subject:" + mail.subject +
        "  Internal:" + (settings.hook ? "Ja" : "Nein"));
    try {
        if (settings.hook) return settings.hook(mail);
        if (settings.mode == 2 || (settings.mode == 0 && !HasExtras(mail))) {
            if (const std::optional<bool> linked = ByLink(mail, settings.mode)) return *linked;
        }
        const bool result = ByClient(mail, dialog);
        Log("done");
        return result;
    } catch (const std::exception&) {
        ShowNotice("E-Mail konnte leider nicht erstellt werden...");
    } catch (...) {
        ShowNotice("E-Mail konnte leider nicht erstellt werden...");
    }
    Log("done");
    return false;
}

}  // namespace tavo
