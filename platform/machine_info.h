#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavo::platform {

// What the kernel and the distribution tell about the machine. Each reader answers an empty
// text or 0 when its source is missing; none of them fails its caller.

// PRETTY_NAME (else NAME and VERSION) of R/etc/os-release, else of R/usr/lib/os-release.
std::string DistributionName();
// The value of one key of an os-release text, without its quotation marks.
std::string OsReleaseValue(std::string_view content, std::string_view key);
// The kernel's release ("6.1.0-18-amd64").
std::string KernelRelease();

// The processor's name from /proc/cpuinfo ("model name", or the fields other architectures
// use), and the value of one "key : value" field of such a text.
std::string CpuModelName();
std::string CpuInfoValue(std::string_view content, std::string_view key);
// The processors online.
int OnlineProcessors();
// The kernel's clock figure of the first processor in MHz, 0 when it gives none.
std::int64_t KernelCpuMHz();

// The processor's time-stamp counter, where it has one.
bool HasTimeStampCounter();
std::uint64_t ReadTimeStampCounter();

// Raises the calling thread to the highest real-time priority the process may take, and
// restores its scheduling when it goes. Without the right to do so nothing changes.
class HighestPriority {
  public:
    HighestPriority();
    ~HighestPriority();
    HighestPriority(const HighestPriority&) = delete;
    HighestPriority& operator=(const HighestPriority&) = delete;

  private:
    int oldPolicy_ = 0;
    int oldPriority_ = 0;
    bool raised_ = false;
};

// Physical memory in bytes: all of it, or what is available now ("MemAvailable").
std::uint64_t TotalMemoryBytes();
std::uint64_t AvailableMemoryBytes();
// The resident set of this process in bytes, 0 when unknown.
std::uint64_t ResidentSetBytes();
// The login session of this process (/proc/self/sessionid), 0 when it has none.
std::uint32_t LoginSessionId();

}  // namespace tavo::platform
