// Peak working memory of the payload operations of the built setup, each measured in a
// process of its own: the growth of the peak resident size over the size before the
// operation, beside the largest single entry it handles. Prints one line per operation:
//   operation  peak growth (MB)  largest entry (MB)  growth above the largest entry (MB)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "payload/payload_frames.h"

namespace tavo {
namespace {

constexpr double kMB = 1'000'000.0;

long PeakKilobytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs the operation in a child; its peak growth in bytes, or -1 when it failed.
double PeakGrowth(const std::function<bool()>& operation) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const long before = PeakKilobytes();
        const bool ok = operation();
        const double growth = ok ? (PeakKilobytes() - before) * 1024.0 : -1;
        [[maybe_unused]] const auto written = ::write(pipeFds[1], &growth, sizeof growth);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    double growth = -1;
    if (::read(pipeFds[0], &growth, sizeof growth) != sizeof growth) growth = -1;
    ::close(pipeFds[0]);
    ::waitpid(pid, nullptr, 0);
    return growth;
}

std::uintmax_t LargestFile(const std::string& dir) {
    std::uintmax_t largest = 0;
    for (const auto& item : std::filesystem::recursive_directory_iterator(dir))
        if (item.is_regular_file()) largest = std::max(largest, item.file_size());
    return largest;
}

void Print(const char* name, double growth, double largest) {
    if (growth < 0) {
        std::printf("%-22s failed\n", name);
        return;
    }
    std::printf("%-22s %8.1f %8.1f %8.1f\n", name, growth / kMB, largest / kMB,
                (growth - largest) / kMB);
}

}  // namespace
}  // namespace tavo

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const std::string setup = argc > 1 ? argv[1] : TAVO_SETUP_PATH;
    tavo::SetPayloadSourceFile(setup);
    const fs::path work =
        fs::temp_directory_path() / ("tavo-payload-memory-" + std::to_string(::getpid()));
    fs::create_directories(work);
    const std::string program = (work / "Tavo").string();
    const std::string server = (work / "server").string() + "/";

    std::printf("%-22s %8s %8s %8s\n", "operation", "peak MB", "entry MB", "above MB");
    const double saved = tavo::PeakGrowth([&] { return tavo::SaveMainProgram(program); });
    tavo::Print("SaveMainProgram", saved, static_cast<double>(fs::file_size(program)));
    const double extracted = tavo::PeakGrowth([&] {
        tavo::TFrame_Data_MySQL frame;
        return frame.Loaded() && frame.mysql.ExtractAll(server);
    });
    tavo::Print("ExtractAll(mysql)", extracted, static_cast<double>(tavo::LargestFile(server)));
    fs::remove_all(work);
    return saved < 0 || extracted < 0 ? 1 : 0;
}
