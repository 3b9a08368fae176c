#pragma once

#include <cstdint>
#include <string>

namespace tavo::test {

// A plain transcription of the LZH scheme, step by step as the format describes it: separate
// child arrays, byte-wise comparisons, 16-bit code words, a bit reader that takes one byte
// whenever it holds 8 bits or fewer. Slow and obvious; the codec under test must give the
// same bytes.
std::string ReferenceEncode(const std::string& data);

struct ReferenceDecoded {
    std::string bytes;
    std::size_t bytesRead = 0;  // input bytes the bit reader took (never beyond the input)
};
ReferenceDecoded ReferenceDecode(const std::string& stream, std::size_t count);

}  // namespace tavo::test
