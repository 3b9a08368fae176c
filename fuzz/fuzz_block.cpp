// Any bytes as a chain of data blocks: the header reader and the unpacker must never read
// outside their input, never run backwards and never report garbage as a checked block.
#include <cstddef>
#include <cstdint>

#include "foundation/dialogs.h"
#include "foundation/stream.h"
#include "payload/block_head.h"
#include "payload/block_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        tavo::SetPromptHandler([](const tavo::DialogRequest&) { return 0; });
        return true;
    }();
    (void)quiet;
    tavo::TMemoryStream source(std::vector<std::uint8_t>(data, data + size));

    tavo::tmyHeadintern head;
    if (tavo::ReadHead(source, head)) {
        // What the header promises must hold for what follows it.
        if (head.unpackedLength < 0) __builtin_trap();
        if (head.version == 1 && head.blockLength < static_cast<std::int64_t>(source.Position()))
            __builtin_trap();
    }

    // One block after the other, as an archive is read.
    source.Seek(0);
    while (source.Position() < source.Size()) {
        const std::int64_t before = source.Position();
        tavo::TMemoryStream out;
        const bool ok = tavo::UnpackStream(source, out, true);
        if (source.Position() <= before) break;  // a refused header leaves the position
        if (!ok) break;
    }
    // And once from the start.
    tavo::TMemoryStream out;
    tavo::UnpackStream(source, out, false);
    return 0;
}
