#include "platform/version_record.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

namespace tavo::platform {
namespace {

std::uint32_t ReadLe32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

FixedFileInfo DecodeRecord(const unsigned char* p) {
    std::uint32_t words[13];
    for (int i = 0; i < 13; ++i) words[i] = ReadLe32(p + 4 * i);
    FixedFileInfo info;
    std::memcpy(&info, words, sizeof info);
    return info;
}

// Offset of a record in buffer[0, end), or -1; a hit counts only with the structure version.
long FindRecord(const std::vector<unsigned char>& buffer, size_t end) {
    for (size_t i = 0; i + sizeof(FixedFileInfo) <= end; ++i) {
        if (buffer[i] != 0xBD || ReadLe32(&buffer[i]) != kVersionSignature) continue;
        if (ReadLe32(&buffer[i + 4]) == kVersionStructVersion) return static_cast<long>(i);
    }
    return -1;
}

}  // namespace

std::optional<FixedFileInfo> ReadVersionRecord(const std::string& path, std::uint64_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    constexpr size_t kChunk = 1 << 20;
    constexpr size_t kKeep = sizeof(FixedFileInfo) - 1;  // a record may straddle two chunks
    std::vector<unsigned char> buffer;
    std::uint64_t consumed = 0;  // bytes of the file read so far
    size_t carried = 0;
    while (consumed < limit) {
        const size_t want = static_cast<size_t>(std::min<std::uint64_t>(kChunk, limit - consumed));
        buffer.resize(carried + want);
        in.read(reinterpret_cast<char*>(buffer.data() + carried),
                static_cast<std::streamsize>(want));
        const size_t got = static_cast<size_t>(in.gcount());
        if (got == 0) break;
        consumed += got;
        const size_t end = carried + got;
        if (const long at = FindRecord(buffer, end); at >= 0) return DecodeRecord(&buffer[at]);
        carried = std::min(kKeep, end);
        std::memmove(buffer.data(), buffer.data() + end - carried, carried);
    }
    return std::nullopt;
}

FileVersion FileVersionOf(const FixedFileInfo& info) {
    return FileVersion{static_cast<std::uint16_t>(info.fileVersionMS >> 16),
                       static_cast<std::uint16_t>(info.fileVersionMS & 0xFFFF),
                       static_cast<std::uint16_t>(info.fileVersionLS >> 16),
                       static_cast<std::uint16_t>(info.fileVersionLS & 0xFFFF)};
}

std::optional<FileVersion> ReadFileVersion(const std::string& path, std::uint64_t limit) {
    const auto record = ReadVersionRecord(path, limit);
    if (!record) return std::nullopt;
    return FileVersionOf(*record);
}

}  // namespace tavo::platform
