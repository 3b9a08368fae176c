#pragma once

#include <array>
#include <cstdint>

#include "payload/lzh_constants.h"

namespace tavo::lzh {

// The adaptive Huffman code over the 314 symbols (bytes 0..255, match lengths 3..60 as
// 253 + length). Nodes 0..626 stay in non-decreasing order of frequency; son[n] >= T marks a
// leaf holding symbol son[n] - T, else the children of n are son[n] (bit 0) and son[n] + 1
// (bit 1). Every coded symbol raises its frequencies; when the root reaches 0x8000 the tree
// is rebuilt with halved counts. Encoder and decoder make the same changes at the same
// symbol, which is what keeps them in step.
class Huffman {
  public:
    void Start();
    void Update(int symbol);

    // The code of a symbol, root side first, right-aligned in code; returns its length.
    // Codes can be longer than 16 bits on skewed input, so 32 bits are kept.
    int CodeOf(int symbol, std::uint32_t& code) const;

    // Walks from the root by the bits of in (anything with int GetBit()).
    template <class BitSource>
    int Decode(BitSource& in) const {
        int c = son_[kR];
        while (c < kT) c = son_[c + in.GetBit()];
        return c - kT;
    }

    // Sum of all symbol counts (the root's frequency).
    unsigned RootCount() const { return freq_[kR]; }

  private:
    void Rebuild();

    std::array<std::uint16_t, kT + 1> freq_{};  // freq_[kT] is a sentinel 0xFFFF
    std::array<std::uint16_t, kT> son_{};
    std::array<std::uint16_t, kT + kNChar> prnt_{};  // prnt_[kT + s]: the leaf of symbol s
};

}  // namespace tavo::lzh
