#include "platform/machine_info.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <cmath>
#include <fstream>

#include "platform/root.h"

namespace tavo::platform {
namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value of the first "key : value" line of /proc/cpuinfo with that key.
std::string CpuInfoValue(const std::string& key) {
    std::ifstream in("/proc/cpuinfo");
    for (std::string line; std::getline(in, line);) {
        const auto colon = line.find(':');
        if (colon != std::string::npos && Trimmed(line.substr(0, colon)) == key)
            return Trimmed(line.substr(colon + 1));
    }
    return {};
}

}  // namespace

std::string OsReleaseName() {
    for (const std::string file : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("PRETTY_NAME=", 0) != 0) continue;
            std::string value = line.substr(12);
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\''))
                value = value.substr(1, value.size() - 2);
            if (!value.empty()) return value;
        }
    }
    return "Linux";
}

std::string KernelRelease() {
    utsname info{};
    return ::uname(&info) == 0 ? std::string(info.release) : std::string();
}

std::string CpuModelName() {
    return CpuInfoValue("model name");
}

std::int64_t CpuMHzFromKernel() {
    const std::string mhz = CpuInfoValue("cpu MHz");
    try {
        return mhz.empty() ? 0 : static_cast<std::int64_t>(std::llround(std::stod(mhz)));
    } catch (const std::exception&) {
        return 0;
    }
}

std::uint64_t TotalMemoryBytes() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long size = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && size > 0 ? static_cast<std::uint64_t>(pages) * size : 0;
}

}  // namespace tavo::platform
