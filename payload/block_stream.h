#pragma once

#include <string>

#include "foundation/stream.h"

namespace tavo {

// Packs the whole source (from position 0) into one compressed block at the destination's
// position (the destination emptied first unless append) and leaves the destination behind
// the block. The name is UTF-8 and is stored in Windows-1252; a name the code page cannot
// hold, or a source too large for the header's 32-bit lengths, is refused with a notice.
bool PackStream(TStream& source, TStream& destination, bool append, const std::string& name,
                double timeStamp);

// Empties the destination and unpacks one block into it, from the source's position when
// fromCurrentPosition is set (the source is then left at the first byte after the block),
// else from position 0. True when the block was unpacked whole and, if it carries a
// checksum, its length and checksum match. A block whose bit stream ends before its bytes
// are complete is false even without a checksum; the bytes decoded so far stay.
bool UnpackStream(TStream& source, TStream& destination, bool fromCurrentPosition);

}  // namespace tavo
