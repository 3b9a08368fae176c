#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/stream.h"

namespace tavo {

// Compressed block, all integers little-endian:
//    0  "zarvek"   6  version (1)   7  padding (ignored)   8  block length (signed 32-bit:
//       header, name, terminator and bit stream)   12  unpacked length (signed 32-bit)
//   16  time stamp (double, days since 1899-12-30; 0 for single blocks)   24  reserved (0)
//   26  name length L (16-bit)   28  checksum of the unpacked bytes (0: not tested)
//   32  name (L bytes, Windows-1252, relative path with backslashes in archives)
//   32+L  terminator 0   33+L  LZH bit stream up to the block length
// Read but never written:
//   version 0 (28 bytes): 0..7 as above with version 0, 8 block length, 12 unpacked length,
//     16 time stamp as 32-bit whole days, 20 name length, 22 unused, 24 checksum; name at 28;
//   legacy: 0xFE, the unpacked length as 64-bit integer, the bit stream (nothing else).

inline constexpr std::string_view kBlockMagic = "zarvek";
inline constexpr std::uint8_t kLegacyBlockMark = 0xFE;
inline constexpr std::size_t kBlockHeadSize = 32;
inline constexpr std::size_t kBlockHeadSizeVersion0 = 28;

// The header of a compressed block in memory: the 32 header fields plus the name.
struct tmyHeadintern {
    std::array<char, 6> magic = {'z', 'a', 'r', 'v', 'e', 'k'};
    std::uint8_t version = 1;
    std::uint8_t padding = 0;
    std::int32_t blockLength = 0;
    std::int32_t unpackedLength = 0;
    double timeStamp = 0;
    std::uint16_t reserved = 0;
    std::uint16_t nameLength = 0;  // bytes of the name in Windows-1252
    std::uint32_t checksum = 0;
    std::string name;  // UTF-8
};

// The 32 header bytes of a record (version 1 layout).
std::array<std::uint8_t, kBlockHeadSize> EncodeHead(const tmyHeadintern& head);

// Reads header, name and terminator at the stream's position; on success the stream stands
// at the first byte of the bit stream. A version-0 header comes back as version 1, a legacy
// one as version 0 with block length = unpacked length and no checksum. Refused (false):
// an unknown first byte (logged only), a version other than 0 and 1 and lengths that
// cannot be (logged), a short header and a missing or non-zero terminator (with a notice).
bool ReadHead(TStream& stream, tmyHeadintern& head);

}  // namespace tavo
