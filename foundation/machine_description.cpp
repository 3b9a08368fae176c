#include "foundation/machine_description.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <thread>

#include "platform/machine_info.h"

namespace tavo {
namespace {

constexpr char kUnknown[] = "unbekannt";

// Cached per run, like the values they stand for.
struct Cache {
    std::optional<std::string> osName;
    std::optional<std::uint32_t> sessionId;
    std::optional<int> measuredMHz;
};

Cache& Cached() {
    static Cache cache;
    return cache;
}

std::string ComputeOsName() {
    const std::string distribution = platform::DistributionName();
    const std::string kernel = platform::KernelRelease();
    if (distribution.empty() && kernel.empty()) return kUnknown;
    if (kernel.empty()) return distribution;
    return (distribution.empty() ? std::string("Linux") : distribution) + " Kernel " + kernel;
}

void RemoveAll(std::string& text, const std::string& part) {
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at))
        text.erase(at, part.size());
}

int MeasureTimeStampCounter(std::chrono::milliseconds window) {
    const platform::HighestPriority priority;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto startTime = std::chrono::steady_clock::now();
    const std::uint64_t start = platform::ReadTimeStampCounter();
    std::this_thread::sleep_for(window);
    const std::uint64_t end = platform::ReadTimeStampCounter();
    // The sleep may overrun; the counter is set against the time that really passed.
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - startTime)
                            .count();
    if (micros <= 0 || end <= start) return 0;
    return static_cast<int>(std::llround(static_cast<double>(end - start) / micros));
}

}  // namespace

std::string OsName() {
    Cache& cache = Cached();
    if (!cache.osName) cache.osName = ComputeOsName();
    return *cache.osName;
}

bool Is64BitWindows() {
    return std::getenv("ProgramW6432") != nullptr;
}

std::string ProcessorName() {
    std::string name = platform::CpuModelName();
    RemoveAll(name, "Processor");
    for (size_t at = name.find("  "); at != std::string::npos; at = name.find("  "))
        name.erase(at, 1);
    const size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) return kUnknown;
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

int ProcessorCount() {
    return platform::OnlineProcessors();
}

int ProcessorMHz(std::chrono::milliseconds window) {
    if (platform::HasTimeStampCounter()) {
        if (const int mhz = MeasureTimeStampCounter(window); mhz > 0) return mhz;
    }
    return static_cast<int>(platform::KernelCpuMHz());
}

int MeasuredProcessorMHz(std::chrono::milliseconds window) {
    Cache& cache = Cached();
    if (!cache.measuredMHz) cache.measuredMHz = ProcessorMHz(window);
    return *cache.measuredMHz;
}

std::uint64_t PhysicalMemory(bool total) {
    return total ? platform::TotalMemoryBytes() : platform::AvailableMemoryBytes();
}

std::uint64_t WorkingSetSize() {
    return platform::ResidentSetBytes();
}

std::uint32_t SessionId() {
    Cache& cache = Cached();
    if (!cache.sessionId) cache.sessionId = platform::LoginSessionId();
    return *cache.sessionId;
}

void ForgetMachineDescription() {
    Cached() = Cache{};
}

}  // namespace tavo
