#pragma once

#include <cstdint>
#include <string>

namespace tavo::platform {

// Facts about the machine from the kernel and /etc/os-release.
std::string OsReleaseName();      // PRETTY_NAME, "Linux" when there is none
std::string KernelRelease();      // uname's release
std::string CpuModelName();       // "model name" of /proc/cpuinfo, empty when unknown
std::int64_t CpuMHzFromKernel();  // "cpu MHz" of the first processor, 0 when unknown
std::uint64_t TotalMemoryBytes();

}  // namespace tavo::platform
