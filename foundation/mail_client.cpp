#include "foundation/mail_client.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "foundation/dialogs.h"
#include "foundation/folder_ops.h"
#include "foundation/log.h"
#include "foundation/process_messages.h"
#include "foundation/text.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace tavo {
namespace {

constexpr char kMessagingKey[] = "\\SOFTWARE\\Microsoft\\Windows Messaging Subsystem";
constexpr char kClientsKey[] = "\\SOFTWARE\\Clients\\Mail";
constexpr char kProfilesKey[] =
    "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging Subsystem\\Profiles";
// The system's own hand-over, the counterpart of the system MAPI library.
constexpr char kSystemMailProgram[] = "xdg-email";
// How long a started client may take to refuse the message; one that runs longer has
// taken it over (it shows the message to the user).
constexpr auto kRefusalWindow = std::chrono::seconds(10);

std::string ValueOr(platform::Registry& reg, const std::string& name) {
    return reg.ReadString(name).value_or("");
}

// Environment variables expanded, as the registry stores such paths.
std::string Expanded(const std::string& path) {
    std::string expanded = NormalizeFolder(path);
    if (!path.empty() && path.back() != '/' && !expanded.empty()) expanded.pop_back();
    return expanded;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The library path of a client: as written if that file exists, else its file name looked
// for in the folders of PATH.
std::string LocateLibrary(const std::string& written) {
    const std::string path = Expanded(written);
    if (Exists(path)) return path;
    const std::string found = platform::FindProgram(FileNameOfPath(path));
    return found.empty() ? path : found;
}

bool Runnable(const std::string& path) {
    return Exists(path) && ::access(path.c_str(), X_OK) == 0;
}

// xdg-email's exit codes as MAPISendMail results: 2 a file is missing, 5 no permission.
int ResultOfExit(int exitCode) {
    switch (exitCode) {
        case 0:
            return 0;
        case 2:
            return 11;
        case 5:
            return 12;
        default:
            return 2;
    }
}

std::vector<std::string> Arguments(const TMapiMessage& message) {
    std::vector<std::string> args = {"--utf8"};
    for (const TMapiMessage::Recipient& r : message.recipients) {
        if (r.recipientClass == TMapiMessage::Cc) args.push_back("--cc");
        if (r.recipientClass == TMapiMessage::Bcc) args.push_back("--bcc");
        if (r.recipientClass != TMapiMessage::To) args.push_back(r.address);
    }
    if (!message.subject.empty()) args.insert(args.end(), {"--subject", message.subject});
    if (!message.body.empty()) args.insert(args.end(), {"--body", message.body});
    for (const std::string& file : message.attachments) args.insert(args.end(), {"--attach", file});
    for (const TMapiMessage::Recipient& r : message.recipients)
        if (r.recipientClass == TMapiMessage::To) args.push_back(r.address);
    return args;
}

}  // namespace

TmyMapiClient::TmyMapiClient(bool systemMapi) : systemMapi_(systemMapi) {
    WriteLog("TmyMapiClient.create", 1);
    ReadMapiSettings();
    ReadClients();
    ReadProfiles();
    LoadClientLib();
    WriteLog("TmyMapiClient.create", -1);
}

void TmyMapiClient::ReadMapiSettings() {
    WriteLog("readmapisettings", 0);
    platform::Registry reg(platform::RegHive::LocalMachine);
    if (!reg.OpenKeyReadOnly(kMessagingKey)) return;
    const std::string mapiX = ValueOr(reg, "MAPIX");
    const std::string mapi = ValueOr(reg, "MAPI");
    mapiX_ = mapiX == "1";
    mapi_ = mapi == "1";
    mapiXVersion_ = ValueOr(reg, "MAPIXVER");
    WriteLog("Mapi: Mapi/SimpleMapi/Version " + mapiX + "/" + mapi + "/" + mapiXVersion_, 0);
}

void TmyMapiClient::ReadClients() {
    platform::Registry reg(platform::RegHive::LocalMachine);
    if (!reg.OpenKeyReadOnly(kClientsKey)) {
        WriteLog("Mapi: Key SOFTWARE\\Clients\\Mail existiert nicht", 0);
        return;
    }
    const std::string defaultName = ValueOr(reg, "");
    const std::vector<std::string> keys = reg.GetKeyNames();
    if (keys.empty()) {
        WriteLog("Mapi: Client-Liste existiert nicht", 0);
        return;
    }
    for (const std::string& key : keys) {
        platform::Registry sub(platform::RegHive::LocalMachine);
        Client client;
        client.key = key;
        if (sub.OpenKeyReadOnly(std::string(kClientsKey) + "\\" + key)) {
            client.name = ValueOr(sub, "");
            const std::string dllPath = ValueOr(sub, "DLLPath");
            if (!dllPath.empty()) client.library = LocateLibrary(dllPath);
        }
        client.hasSendMail = !client.library.empty() && Runnable(client.library);
        if (LowerCase(key) == LowerCase(defaultName))
            defaultClient_ = static_cast<int>(clients_.size());
        clients_.push_back(std::move(client));
    }
    clientInUse_ = defaultClient_;
    if (clientInUse_ >= 0)
        WriteLog("Mapi: DefaultClient " + clients_[clientInUse_].name + " in " +
                     clients_[clientInUse_].library,
                 0);
}

void TmyMapiClient::ReadProfiles() {
    platform::Registry reg(platform::RegHive::CurrentUser);
    if (!reg.OpenKeyReadOnly(kProfilesKey)) return;
    defaultProfile_ = ValueOr(reg, "DefaultProfile");
    profiles_ = reg.GetKeyNames();
}

void TmyMapiClient::LoadClientLib() {
    const bool own = !systemMapi_ && clientInUse_ >= 0 && !clients_[clientInUse_].library.empty();
    const std::string wanted = own ? clients_[clientInUse_].library : kSystemMailProgram;
    WriteLog("LoadClientLib:" + wanted, 0);
    const std::string path =
        wanted.find('/') == std::string::npos ? platform::FindProgram(wanted) : wanted;
    if (path.empty() || !Exists(path)) {
        ShowNotice(
            "E-Mail-Library \"%a\" existiert nicht. Bitte E-Mailprogramm reparieren oder "
            "neu installieren.|" +
            wanted);
        return;
    }
    if (!Runnable(path)) {
        ShowNotice("E-Mail-Library \"%a\" konnte nicht geladen werden.|" + path);
        return;
    }
    libraryPath_ = path;
    sendMail_ = true;
    WriteLog("LoadClientLib:ok", 0);
}

void TmyMapiClient::UnloadClientLib() {
    libraryPath_.clear();
    sendMail_ = false;
}

bool TmyMapiClient::setmailprogramm(const std::string& name) {
    WriteLog("setmailprogramm:" + name, 0);
    const std::string wanted = LowerCase(name);
    for (size_t i = 0; i < clients_.size(); ++i) {
        if (static_cast<int>(i) == clientInUse_ || LowerCase(clients_[i].name) != wanted) continue;
        UnloadClientLib();
        clientInUse_ = static_cast<int>(i);
        LoadClientLib();
        return true;
    }
    return false;
}

int TmyMapiClient::SendMail(const TMapiMessage& message, int /*flags*/) const {
    // The program always shows the message for review; the flags have nothing to add.
    if (libraryPath_.empty()) return 2;
    const platform::SpawnResult started =
        platform::SpawnProgram(libraryPath_, Arguments(message), "", false);
    if (started.pid < 0) return 2;
    const auto deadline = std::chrono::steady_clock::now() + kRefusalWindow;
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto code = platform::PollExit(started.pid)) return ResultOfExit(*code);
        ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

}  // namespace tavo
