#pragma once

#include <cstdint>

#include "foundation/stream.h"

namespace tavo {

// CRC-32 over the reflected polynomial 0xEDB88320, table-driven, starting from 0 and
// without a final inversion (so it differs from the common CRC-32): "abc" gives 0xCA6598D0.
// fromStart: the whole stream from position 0. Else quick: the first min(size - 1, 100,000)
// bytes. Else: from the current position to the end. An empty stream gives 0.
std::uint32_t StreamChecksum(TStream& stream, bool quick, bool fromStart);

// The same checksum over bytes in memory, continuing from crc.
std::uint32_t ChecksumUpdate(std::uint32_t crc, const void* data, std::size_t size);

}  // namespace tavo
