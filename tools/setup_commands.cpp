#include "tools/setup_commands.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "payload/payload_container.h"
#include "payload/whole_file.h"
#include "tools/logo_bitmap.h"
#include "tools/tavopack_usage.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

int Fail(std::ostream& err, const std::string& command, const std::string& text) {
    err << "tavopack: setup " << command << ": " << text << "\n";
    return 1;
}

bool CollectPayloads(const std::string& dir, std::vector<PayloadInput>& inputs,
                     std::string& problem) {
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(dir, ec)) {
        if (!item.is_regular_file(ec)) {
            problem = "not a file: " + item.path().string();
            return false;
        }
        inputs.push_back({item.path().filename().string(), item.path().string()});
    }
    if (ec) {
        problem = "cannot read folder " + dir + ": " + ec.message();
        return false;
    }
    std::sort(inputs.begin(), inputs.end(),
              [](const PayloadInput& a, const PayloadInput& b) { return a.name < b.name; });
    return true;
}

int Build(const std::vector<std::string>& args, std::ostream& err) {
    std::vector<PayloadInput> inputs;
    std::string problem;
    if (!CollectPayloads(args[2], inputs, problem)) return Fail(err, "build", problem);
    if (!BuildPayloadExecutable(args[1], inputs, args[3], problem))
        return Fail(err, "build", problem);
    return 0;
}

int List(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto container = PayloadContainer::Open(args[1]);
    if (!container) return Fail(err, "list", args[1] + " carries no payload");
    out << "program\t" << container->ProgramSize() << "\n";
    for (const auto& entry : container->Entries()) out << entry.name << "\t" << entry.size << "\n";
    return 0;
}

int Logo(const std::vector<std::string>& args, std::ostream& err) {
    if (!WriteWholeFile(args[1], MakeLogoBitmap()))
        return Fail(err, "logo", "cannot write " + args[1]);
    return 0;
}

}  // namespace

std::string SetupUsage() {
    return "       tavopack setup build PROGRAM PAYLOAD-DIR OUT\n"
           "       tavopack setup list IN\n"
           "       tavopack setup logo OUT\n";
}

int RunSetupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 4 && args[0] == "build") return Build(args, err);
    if (args.size() == 2 && args[0] == "list") return List(args, out, err);
    if (args.size() == 2 && args[0] == "logo") return Logo(args, err);
    err << TavopackUsage();
    return 2;
}

}  // namespace tavo
