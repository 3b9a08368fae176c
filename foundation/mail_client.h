#pragma once

#include <string>
#include <vector>

namespace tavo {

// A message in the form the mail client takes it.
struct TMapiMessage {
    enum Class { To = 1, Cc = 2, Bcc = 3 };
    struct Recipient {
        Class recipientClass;
        std::string address;
    };
    std::vector<Recipient> recipients;
    std::vector<std::string> attachments;  // existing files
    std::string subject;
    std::string body;
};

// The mail clients known to the machine and the one in use. The client list and the MAPI
// flags are read from the registry where a mail system put them (machine hive
// "SOFTWARE\Clients\Mail" and "SOFTWARE\Microsoft\Windows Messaging Subsystem"); a client's
// library is the program that takes the message. Without a client, and with the system's
// hand-over, that program is xdg-email.
class TmyMapiClient {
  public:
    struct Client {
        std::string key;           // subkey name
        std::string name;          // display name
        std::string library;       // the program that takes the message
        bool hasSendMail = false;  // that program exists and can run
    };

    // Reads the settings and loads the library of the default client (log block
    // "TmyMapiClient.create"); problems are shown as notices.
    explicit TmyMapiClient(bool systemMapi = false);

    // Uses the client of that display name (compared in lower case) if it is not in use.
    bool setmailprogramm(const std::string& name);

    const std::string& LibraryPath() const { return libraryPath_; }
    bool HasSendMail() const { return sendMail_; }
    const std::vector<Client>& Clients() const { return clients_; }
    int DefaultClient() const { return defaultClient_; }
    int ClientInUse() const { return clientInUse_; }
    bool Mapi() const { return mapi_; }
    bool MapiX() const { return mapiX_; }
    const std::string& MapiXVersion() const { return mapiXVersion_; }
    const std::string& DefaultProfile() const { return defaultProfile_; }
    const std::vector<std::string>& Profiles() const { return profiles_; }

    // Hands the message over; the result codes are MAPISendMail's (0 accepted, 2 unknown
    // failure, 11 attachment not found, 12 attachment not readable ...).
    int SendMail(const TMapiMessage& message, int flags) const;

  private:
    void ReadMapiSettings();
    void ReadClients();
    void ReadProfiles();
    void LoadClientLib();
    void UnloadClientLib();

    bool systemMapi_;
    std::vector<Client> clients_;
    int defaultClient_ = -1;
    int clientInUse_ = -1;
    bool mapi_ = false;
    bool mapiX_ = false;
    std::string mapiXVersion_;
    std::string defaultProfile_;
    std::vector<std::string> profiles_;
    std::string libraryPath_;  // the program found, empty when none is loaded
    bool sendMail_ = false;
};

}  // namespace tavo
