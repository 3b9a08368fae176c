#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace tavo {

// Read-only facts about the machine for the startup report and the error report. Nothing in
// the system's logic depends on them; what cannot be determined is "unbekannt" or 0.

// Distribution and kernel ("Debian GNU/Linux 12 (bookworm) Kernel 6.1.0-18-amd64"),
// computed once per run and cached.
std::string OsName();

// True when the environment variable "ProgramW6432" exists (as on 64-bit Windows).
bool Is64BitWindows();

// The processor's name without the word "Processor", single spaces, trimmed.
std::string ProcessorName();
int ProcessorCount();

// The clock rate in MHz: the time-stamp counter measured over the window at the highest
// priority where the processor has one, else the kernel's figure; 0 when neither exists.
int ProcessorMHz(std::chrono::milliseconds window = std::chrono::milliseconds(500));
// The clock rate measured once per run (with the window of the first call) and reused.
int MeasuredProcessorMHz(std::chrono::milliseconds window = std::chrono::milliseconds(500));

// Total (total set) or available physical memory in bytes.
std::uint64_t PhysicalMemory(bool total);
// The process's current working set (resident memory) in bytes, 0 if not available.
std::uint64_t WorkingSetSize();
// The login session of the process, 0 if not available; cached.
std::uint32_t SessionId();

// Forgets the cached values, so the next calls ask the machine again.
void ForgetMachineDescription();

}  // namespace tavo
