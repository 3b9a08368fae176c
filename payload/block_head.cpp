#include "payload/block_head.h"

#include <cstring>
#include <limits>
#include <type_traits>

#include "foundation/cp1252.h"
#include "foundation/dialogs.h"
#include "foundation/log.h"

namespace tavo {
namespace {

template <class T>
T ReadLe(const std::uint8_t* at) {
    std::uint64_t v = 0;
    for (std::size_t k = sizeof(T); k-- > 0;) v = (v << 8) | at[k];
    if constexpr (std::is_same_v<T, double>) {
        double d;
        std::memcpy(&d, &v, sizeof d);
        return d;
    } else {
        return static_cast<T>(v);
    }
}

template <class T>
void WriteLe(std::uint8_t* at, T value) {
    std::uint64_t v;
    if constexpr (std::is_same_v<T, double>) {
        std::memcpy(&v, &value, sizeof v);
    } else {
        v = static_cast<std::uint64_t>(value);
    }
    for (std::size_t k = 0; k < sizeof(T); ++k, v >>= 8) at[k] = static_cast<std::uint8_t>(v);
}

bool Refuse(const char* notice) {
    ShowNoticeKind(notice, kKindInformation);
    return false;
}

bool RefuseQuietly(const std::string& logLine) {
    WriteLog(logLine);
    return false;
}

void TakeVersion1(const std::uint8_t* raw, tmyHeadintern& head) {
    std::memcpy(head.magic.data(), raw, head.magic.size());
    head.version = raw[6];
    head.padding = raw[7];
    head.blockLength = ReadLe<std::int32_t>(raw + 8);
    head.unpackedLength = ReadLe<std::int32_t>(raw + 12);
    head.timeStamp = ReadLe<double>(raw + 16);
    head.reserved = ReadLe<std::uint16_t>(raw + 24);
    head.nameLength = ReadLe<std::uint16_t>(raw + 26);
    head.checksum = ReadLe<std::uint32_t>(raw + 28);
}

void TakeVersion0(const std::uint8_t* raw, tmyHeadintern& head) {
    std::memcpy(head.magic.data(), raw, head.magic.size());
    head.version = 1;
    head.padding = raw[7];
    head.blockLength = ReadLe<std::int32_t>(raw + 8);
    head.unpackedLength = ReadLe<std::int32_t>(raw + 12);
    head.timeStamp = ReadLe<std::int32_t>(raw + 16);
    head.reserved = 0;
    head.nameLength = ReadLe<std::uint16_t>(raw + 20);
    head.checksum = ReadLe<std::uint32_t>(raw + 24);
}

// The legacy form: 0xFE already read, the 64-bit length follows.
bool ReadLegacyHead(TStream& stream, tmyHeadintern& head) {
    std::uint8_t raw[8];
    if (!stream.ReadExact(raw, sizeof raw)) return Refuse("Binarydata.head nicht möglich");
    head.version = 0;
    head.unpackedLength = static_cast<std::int32_t>(ReadLe<std::uint64_t>(raw) & 0xFFFFFFFFu);
    head.blockLength = head.unpackedLength;
    head.checksum = 0;
    // A negative length would send the reader of the next block backwards.
    if (head.unpackedLength < 0) return RefuseQuietly("Binarydata.head.laenge");
    return true;
}

}  // namespace

std::array<std::uint8_t, kBlockHeadSize> EncodeHead(const tmyHeadintern& head) {
    std::array<std::uint8_t, kBlockHeadSize> raw{};
    std::memcpy(raw.data(), head.magic.data(), head.magic.size());
    raw[6] = head.version;
    raw[7] = head.padding;
    WriteLe(raw.data() + 8, head.blockLength);
    WriteLe(raw.data() + 12, head.unpackedLength);
    WriteLe(raw.data() + 16, head.timeStamp);
    WriteLe(raw.data() + 24, head.reserved);
    WriteLe(raw.data() + 26, head.nameLength);
    WriteLe(raw.data() + 28, head.checksum);
    return raw;
}

bool ReadHead(TStream& stream, tmyHeadintern& head) {
    head = tmyHeadintern{};
    head.version = 0;
    std::uint8_t first = 0;
    if (!stream.ReadExact(&first, 1)) return Refuse("Binarydata.head nicht möglich");
    if (first == kLegacyBlockMark) return ReadLegacyHead(stream, head);
    // Only the first letter of the magic is looked at, as the blocks were always read.
    if (first != static_cast<std::uint8_t>(kBlockMagic[0]))
        return RefuseQuietly("Binarydata.head.unbekannt");

    const std::int64_t start = stream.Position() - 1;
    std::uint8_t raw[kBlockHeadSize];
    stream.Seek(start);
    if (!stream.ReadExact(raw, kBlockHeadSize)) return Refuse("Binarydata.head nicht möglich");
    std::size_t headSize = kBlockHeadSize;
    if (raw[6] == 0) {
        stream.Seek(start);
        if (!stream.ReadExact(raw, kBlockHeadSizeVersion0))
            return Refuse("Binarydata.head 2 nicht möglich");
        TakeVersion0(raw, head);
        headSize = kBlockHeadSizeVersion0;
    } else if (raw[6] == 1) {
        TakeVersion1(raw, head);
    } else {
        return RefuseQuietly("Binarydata.head.version " + std::to_string(raw[6]));
    }
    // A block must end behind its own header, or the next one would be looked for inside it
    // (or before it); and a negative count of bytes is no count.
    const std::int64_t minimum = static_cast<std::int64_t>(headSize) + head.nameLength + 1;
    if (head.blockLength < minimum || head.unpackedLength < 0)
        return RefuseQuietly("Binarydata.head.laenge");

    std::string name(head.nameLength, '\0');
    if (!stream.ReadExact(name.data(), name.size())) return Refuse("Binarydata.head.lesefehler");
    head.name = FromCp1252(name);
    std::uint8_t terminator = 1;
    if (!stream.ReadExact(&terminator, 1) || terminator != 0)
        return Refuse("Binarydata.head.lesefehler");
    return true;
}

}  // namespace tavo
