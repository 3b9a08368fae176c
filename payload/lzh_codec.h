#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "foundation/stream.h"

namespace tavo {

// The codec's own failure: its tables could not be had. Raised by LzhEncode and LzhDecode
// and caught where a block is packed or unpacked; it never leaves the payload layer.
class ElzhException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kLzhNoMemory = "LZH: Nicht genug Speicher für Tabelle";

enum class LzhStatus {
    Ok,
    InputEnded,   // the bit stream ended before the bytes were complete
    WriteFailed,  // the destination refused bytes
};

// What the decoder does when its input ends before count bytes are out.
enum class LzhInputEnd {
    ZeroBits,  // goes on with 0 bits up to count bytes (the format's own behaviour)
    Stop,      // stops at once; the bytes decoded so far stay in the destination
};

// Codes the source from its position to its end and writes the bit stream at the
// destination's position. Ok or WriteFailed.
LzhStatus LzhEncode(TStream& source, TStream& destination);

// Reads the bit stream from the source's position and writes count bytes at the
// destination's position. The source is left where reading byte by byte would have left it:
// up to two bytes behind the last byte whose bits were needed, never beyond its end.
LzhStatus LzhDecode(TStream& source, TStream& destination, std::int64_t count,
                    LzhInputEnd atEnd = LzhInputEnd::ZeroBits);

}  // namespace tavo
