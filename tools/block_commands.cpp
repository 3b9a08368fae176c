#include "tools/block_commands.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

#include "foundation/dates.h"
#include "foundation/dialogs.h"
#include "foundation/stream.h"
#include "payload/block_head.h"
#include "payload/block_stream.h"
#include "payload/whole_file.h"

namespace tavo {
namespace {

// The notices of the block operations end up in the one line a failed command prints.
class NoticeCollector {
  public:
    NoticeCollector()
        : old_(SetPromptHandler([this](const DialogRequest& request) {
              last_ = request.text;
              return 0;
          })) {}
    ~NoticeCollector() { SetPromptHandler(std::move(old_)); }
    NoticeCollector(const NoticeCollector&) = delete;
    NoticeCollector& operator=(const NoticeCollector&) = delete;

    // The last notice, or fallback when there was none.
    std::string Reason(const std::string& fallback) const {
        return last_.empty() ? fallback : last_;
    }

  private:
    PromptHandler old_;
    std::string last_;
};

int Fail(std::ostream& err, const std::string& command, const std::string& text) {
    err << "tavopack: block " << command << ": " << text << "\n";
    return 1;
}

std::optional<double> ParseDays(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || at != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string TimeText(double days) {
    char text[64];
    if (!(days > 0)) {
        std::snprintf(text, sizeof text, "%.17g", days);
        return text;
    }
    const DateParts p = DecodeDateTime(days);
    std::snprintf(text, sizeof text, "%.17g (%04u-%02u-%02u %02u:%02u:%02u)", days, p.year, p.month,
                  p.day, p.hour, p.minute, p.second);
    return text;
}

int Pack(const std::vector<std::string>& args, std::ostream& err) {
    std::string name;
    double days = 0;
    for (std::size_t i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return -1;
        if (args[i] == "--name") {
            name = args[i + 1];
        } else if (args[i] == "--time") {
            const auto parsed = ParseDays(args[i + 1]);
            if (!parsed)
                return Fail(err, "pack",
                            "Ungültige Zeitangabe (Tage seit 30.12.1899): " + args[i + 1]);
            days = *parsed;
        } else {
            return -1;
        }
    }
    auto bytes = ReadWholeFile(args[0]);
    if (!bytes) return Fail(err, "pack", "Die Datei " + args[0] + " kann nicht gelesen werden.");
    const NoticeCollector notices;
    TMemoryStream source(std::move(*bytes)), block;
    if (!PackStream(source, block, false, name, days))
        return Fail(err, "pack", notices.Reason("Der Datenblock kann nicht erstellt werden."));
    if (!WriteWholeFile(args[1], block.Bytes()))
        return Fail(err, "pack", "Die Datei " + args[1] + " kann nicht geschrieben werden.");
    return 0;
}

int Unpack(const std::vector<std::string>& args, std::ostream& err) {
    if (args.size() != 2) return -1;
    auto file = TFileStream::Open(args[0], TFileStream::Mode::Read);
    if (!file) return Fail(err, "unpack", "Die Datei " + args[0] + " kann nicht gelesen werden.");
    const NoticeCollector notices;
    TMemoryStream content;
    if (!UnpackStream(*file, content, false))
        return Fail(err, "unpack",
                    notices.Reason("Der Datenblock ist beschädigt (Länge oder Prüfsumme)."));
    if (!WriteWholeFile(args[1], content.Bytes()))
        return Fail(err, "unpack", "Die Datei " + args[1] + " kann nicht geschrieben werden.");
    return 0;
}

int Info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return -1;
    auto file = TFileStream::Open(args[0], TFileStream::Mode::Read);
    if (!file) return Fail(err, "info", "Die Datei " + args[0] + " kann nicht gelesen werden.");
    const NoticeCollector notices;
    tmyHeadintern head;
    if (!ReadHead(*file, head))
        return Fail(err, "info", notices.Reason("Die Datei ist kein Datenblock."));
    const bool legacy = head.version == 0;
    TMemoryStream content;
    const bool verified = UnpackStream(*file, content, false);
    char checksum[16];
    std::snprintf(checksum, sizeof checksum, "0x%08X", head.checksum);
    out << "version: " << (legacy ? "legacy (0xFE)" : "1") << "\n"
        << "block length: " << (legacy ? "-" : std::to_string(head.blockLength)) << "\n"
        << "unpacked length: " << head.unpackedLength << "\n"
        << "time stamp: " << TimeText(head.timeStamp) << "\n"
        << "name: " << head.name << "\n"
        << "checksum: " << (head.checksum == 0 ? std::string("none") : checksum) << "\n"
        << "verified: " << (verified ? "yes" : "no") << "\n";
    if (!verified)
        return Fail(err, "info",
                    notices.Reason("Der Datenblock ist beschädigt (Länge oder Prüfsumme)."));
    return 0;
}

}  // namespace

std::string BlockUsage() {
    return "usage: tavopack block pack IN OUT [--name NAME] [--time DAYS]\n"
           "       tavopack block unpack IN OUT\n"
           "       tavopack block info IN\n";
}

int RunBlockCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int result = -1;
    if (!args.empty()) {
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (args[0] == "pack" && rest.size() >= 2) result = Pack(rest, err);
        if (args[0] == "unpack") result = Unpack(rest, err);
        if (args[0] == "info") result = Info(rest, out, err);
    }
    if (result >= 0) return result;
    err << BlockUsage();
    return 2;
}

}  // namespace tavo
