#include "platform/machine_info.h"

#include <pthread.h>
#include <sched.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <iterator>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#define TAVO_HAS_TSC 1
#else
#define TAVO_HAS_TSC 0
#endif

#include "platform/root.h"

namespace tavo::platform {
namespace {

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The number of a "Key:   123 kB" line of /proc/meminfo, in bytes.
std::uint64_t MemInfoBytes(std::string_view key) {
    const std::string value = CpuInfoValue(FileText("/proc/meminfo"), key);
    try {
        return value.empty() ? 0 : std::stoull(value) * 1024;
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace

std::string OsReleaseValue(std::string_view content, std::string_view key) {
    size_t pos = 0;
    while (pos < content.size()) {
        const size_t end = std::min(content.find('\n', pos), content.size());
        const std::string_view line = content.substr(pos, end - pos);
        pos = end + 1;
        if (line.size() <= key.size() || line.substr(0, key.size()) != key ||
            line[key.size()] != '=')
            continue;
        std::string value = Trimmed(line.substr(key.size() + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return {};
}

std::string DistributionName() {
    for (const char* file : {"/etc/os-release", "/usr/lib/os-release"}) {
        const std::string content = FileText(UnderRoot(file));
        if (content.empty()) continue;
        std::string name = OsReleaseValue(content, "PRETTY_NAME");
        if (name.empty()) {
            name = OsReleaseValue(content, "NAME");
            const std::string version = OsReleaseValue(content, "VERSION");
            if (!name.empty() && !version.empty()) name += " " + version;
        }
        if (!name.empty()) return name;
    }
    return {};
}

std::string KernelRelease() {
    utsname info{};
    return ::uname(&info) == 0 ? std::string(info.release) : std::string();
}

std::string CpuInfoValue(std::string_view content, std::string_view key) {
    size_t pos = 0;
    while (pos < content.size()) {
        const size_t end = std::min(content.find('\n', pos), content.size());
        const std::string_view line = content.substr(pos, end - pos);
        pos = end + 1;
        const size_t colon = line.find(':');
        if (colon != std::string_view::npos && Trimmed(line.substr(0, colon)) == key)
            return Trimmed(line.substr(colon + 1));
    }
    return {};
}

std::string CpuModelName() {
    const std::string content = FileText("/proc/cpuinfo");
    // x86, older ARM kernels, MIPS, PowerPC.
    for (const char* key : {"model name", "Processor", "cpu model", "cpu"}) {
        std::string value = CpuInfoValue(content, key);
        if (!value.empty()) return value;
    }
    return {};
}

int OnlineProcessors() {
    const long n = ::sysconf(_SC_NPROCESSORS_ONLN);
    return n > 0 ? static_cast<int>(n) : 1;
}

std::int64_t KernelCpuMHz() {
    const std::string mhz = CpuInfoValue(FileText("/proc/cpuinfo"), "cpu MHz");
    try {
        if (!mhz.empty()) return static_cast<std::int64_t>(std::llround(std::stod(mhz)));
        const std::string khz =
            Trimmed(FileText("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq"));
        if (!khz.empty()) return std::llround(std::stod(khz) / 1000.0);
    } catch (const std::exception&) {
    }
    return 0;
}

bool HasTimeStampCounter() {
    return TAVO_HAS_TSC != 0;
}

std::uint64_t ReadTimeStampCounter() {
#if TAVO_HAS_TSC
    return __rdtsc();
#else
    return 0;
#endif
}

HighestPriority::HighestPriority() {
    sched_param param{};
    if (::pthread_getschedparam(::pthread_self(), &oldPolicy_, &param) != 0) return;
    oldPriority_ = param.sched_priority;
    sched_param highest{};
    highest.sched_priority = ::sched_get_priority_max(SCHED_FIFO);
    raised_ = ::pthread_setschedparam(::pthread_self(), SCHED_FIFO, &highest) == 0;
}

HighestPriority::~HighestPriority() {
    if (!raised_) return;
    sched_param param{};
    param.sched_priority = oldPriority_;
    ::pthread_setschedparam(::pthread_self(), oldPolicy_, &param);
}

std::uint64_t TotalMemoryBytes() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long size = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && size > 0 ? static_cast<std::uint64_t>(pages) * size : 0;
}

std::uint64_t AvailableMemoryBytes() {
    if (const std::uint64_t available = MemInfoBytes("MemAvailable")) return available;
    const long pages = ::sysconf(_SC_AVPHYS_PAGES);
    const long size = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && size > 0 ? static_cast<std::uint64_t>(pages) * size : 0;
}

std::uint64_t ResidentSetBytes() {
    std::ifstream in("/proc/self/statm");
    std::uint64_t size = 0, resident = 0;
    if (!(in >> size >> resident)) return 0;
    const long page = ::sysconf(_SC_PAGESIZE);
    return page > 0 ? resident * static_cast<std::uint64_t>(page) : 0;
}

std::uint32_t LoginSessionId() {
    const std::string text = Trimmed(FileText("/proc/self/sessionid"));
    try {
        const unsigned long long id = text.empty() ? 0 : std::stoull(text);
        // 4294967295 is the audit system's "no session".
        return id >= 0xFFFFFFFFull ? 0 : static_cast<std::uint32_t>(id);
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace tavo::platform
