#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace tavo::platform {

// The version record every program of this system carries, laid out as the Windows
// VS_FIXEDFILEINFO structure (13 little-endian 32-bit words):
//   0 signature 0xFEEF04BD   1 structure version 0x00010000
//   2 file version MS (major << 16 | minor)   3 file version LS (release << 16 | build)
//   4,5 product version MS/LS   6 flags mask   7 flags   8 OS   9 type   10 subtype   11,12 date
// The reader scans a file for the signature, so it also finds the record inside the
// version resource of a real Windows program file.
struct FixedFileInfo {
    std::uint32_t signature;
    std::uint32_t strucVersion;
    std::uint32_t fileVersionMS;
    std::uint32_t fileVersionLS;
    std::uint32_t productVersionMS;
    std::uint32_t productVersionLS;
    std::uint32_t fileFlagsMask;
    std::uint32_t fileFlags;
    std::uint32_t fileOS;
    std::uint32_t fileType;
    std::uint32_t fileSubtype;
    std::uint32_t fileDateMS;
    std::uint32_t fileDateLS;
};
static_assert(sizeof(FixedFileInfo) == 52);

inline constexpr std::uint32_t kVersionSignature = 0xFEEF04BDu;
inline constexpr std::uint32_t kVersionStructVersion = 0x00010000u;

struct FileVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t release = 0;
    std::uint16_t build = 0;
};

// The first valid record in the first `limit` bytes of the file; a setup reader passes the
// start of its appended payload as the limit so that a carried program's record is never
// taken for its own. Empty when there is none or the file cannot be read.
std::optional<FixedFileInfo> ReadVersionRecord(
    const std::string& path, std::uint64_t limit = std::numeric_limits<std::uint64_t>::max());

// The file version of a record.
FileVersion FileVersionOf(const FixedFileInfo& info);

// The file version of a program file; empty without a record.
std::optional<FileVersion> ReadFileVersion(
    const std::string& path, std::uint64_t limit = std::numeric_limits<std::uint64_t>::max());

}  // namespace tavo::platform
