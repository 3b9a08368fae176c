#include "foundation/stream_checksum.h"

#include <algorithm>
#include <array>

namespace tavo {
namespace {

constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr auto kTable = MakeTable();
// Any block size gives the same sum; one on the stack needs no allocation that could fail.
constexpr std::size_t kBlockSize = 1 << 16;
constexpr std::int64_t kQuickLimit = 100000;

// Sums count bytes (or to the end when count < 0) from the stream's position.
std::uint32_t SumFrom(TStream& stream, std::int64_t count) {
    std::array<std::uint8_t, kBlockSize> block;
    std::uint32_t crc = 0;
    while (count != 0) {
        const std::size_t want =
            count < 0 ? kBlockSize
                      : static_cast<std::size_t>(std::min<std::int64_t>(count, kBlockSize));
        const std::size_t got = stream.Read(block.data(), want);
        if (got == 0) break;
        crc = ChecksumUpdate(crc, block.data(), got);
        if (count > 0) count -= static_cast<std::int64_t>(got);
    }
    return crc;
}

}  // namespace

std::uint32_t ChecksumUpdate(std::uint32_t crc, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) crc = (crc >> 8) ^ kTable[(crc ^ bytes[i]) & 0xFF];
    return crc;
}

std::uint32_t StreamChecksum(TStream& stream, bool quick, bool fromStart) {
    if (stream.Size() == 0) return 0;
    if (fromStart) {
        stream.Seek(0);
        return SumFrom(stream, -1);
    }
    if (quick) {
        stream.Seek(0);
        return SumFrom(stream, std::min(stream.Size() - 1, kQuickLimit));
    }
    return SumFrom(stream, -1);
}

}  // namespace tavo
