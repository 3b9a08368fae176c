// Any bytes as an LZH bit stream: the decoder writes exactly the bytes asked for (or stops at
// the end of its input when told to) and never reads outside it.
#include <cstddef>
#include <cstdint>

#include "foundation/stream.h"
#include "payload/lzh_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::int64_t count = data[0] | (data[1] << 8);  // up to 65,535 bytes
    for (const auto atEnd : {tavo::LzhInputEnd::ZeroBits, tavo::LzhInputEnd::Stop}) {
        tavo::TMemoryStream in(std::vector<std::uint8_t>(data + 2, data + size)), out;
        const tavo::LzhStatus status = tavo::LzhDecode(in, out, count, atEnd);
        if (in.Position() > in.Size()) __builtin_trap();
        if (atEnd == tavo::LzhInputEnd::ZeroBits && out.Size() != count) __builtin_trap();
        if (status == tavo::LzhStatus::Ok && out.Size() != count) __builtin_trap();
        if (out.Size() > count) __builtin_trap();
    }
    return 0;
}
