#pragma once

#include <array>
#include <cstdint>

namespace tavo::lzh {

// The published LZHUF constants.
inline constexpr int kN = 4096;                       // window size
inline constexpr int kF = 60;                         // longest match, look-ahead size
inline constexpr int kThreshold = 2;                  // a match must be longer than this
inline constexpr int kNil = kN;                       // no tree node
inline constexpr int kNChar = 256 - kThreshold + kF;  // 314 symbols: bytes and lengths
inline constexpr int kT = 2 * kNChar - 1;             // 627 Huffman tree nodes
inline constexpr int kR = kT - 1;                     // the root node
inline constexpr unsigned kMaxFreq = 0x8000;          // rebuild the code at this root count
inline constexpr int kWindowStart = kN - kF;          // 4036: first byte of the data

// Position code: the upper six bits of a match position get a canonical prefix code of
// 3 to 8 bits (value 0: 3 bits, 1-3: 4, 4-11: 5, 12-23: 6, 24-47: 7, 48-63: 8), followed
// by the lower six bits as they are. Codes are kept left-aligned in eight bits.
struct PositionCode {
    std::array<std::uint8_t, 64> length{};
    std::array<std::uint8_t, 64> code{};
    // Inverse tables, indexed by the next eight input bits.
    std::array<std::uint8_t, 256> decodedValue{};
    std::array<std::uint8_t, 256> decodedLength{};
};

constexpr PositionCode MakePositionCode() {
    PositionCode pc;
    constexpr int kEnds[] = {1, 4, 12, 24, 48, 64};  // first value of the next length
    int value = 0;
    unsigned next = 0;  // next code, right-aligned in the current length
    for (int length = 3; length <= 8; ++length) {
        for (; value < kEnds[length - 3]; ++value) {
            pc.length[value] = static_cast<std::uint8_t>(length);
            pc.code[value] = static_cast<std::uint8_t>(next << (8 - length));
            ++next;
        }
        next <<= 1;
    }
    for (int i = 0; i < 256; ++i) {
        for (int v = 0; v < 64; ++v) {
            const int shift = 8 - pc.length[v];
            if ((i >> shift) == (pc.code[v] >> shift)) {
                pc.decodedValue[i] = static_cast<std::uint8_t>(v);
                pc.decodedLength[i] = pc.length[v];
                break;
            }
        }
    }
    return pc;
}

inline constexpr PositionCode kPositionCode = MakePositionCode();

}  // namespace tavo::lzh
