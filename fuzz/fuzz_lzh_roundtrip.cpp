// Any bytes through the encoder and back: the decoder must give them exactly, take no more
// bits than the encoder wrote and stand within two bytes behind the stream.
#include <cstddef>
#include <cstdint>

#include "foundation/stream.h"
#include "payload/lzh_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> original(data, data + size);
    tavo::TMemoryStream plain(original), packed;
    if (tavo::LzhEncode(plain, packed) != tavo::LzhStatus::Ok) __builtin_trap();
    const std::int64_t streamSize = packed.Size();
    packed.Seek(0);
    tavo::TMemoryStream unpacked;
    const auto status =
        tavo::LzhDecode(packed, unpacked, static_cast<std::int64_t>(size), tavo::LzhInputEnd::Stop);
    if (status != tavo::LzhStatus::Ok || unpacked.Bytes() != original) __builtin_trap();
    if (packed.Position() > streamSize) __builtin_trap();
    return 0;
}
