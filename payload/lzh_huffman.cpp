#include "payload/lzh_huffman.h"

#include <algorithm>
#include <cstddef>

namespace tavo::lzh {

void Huffman::Start() {
    for (int s = 0; s < kNChar; ++s) {
        freq_[s] = 1;
        son_[s] = static_cast<std::uint16_t>(s + kT);
        prnt_[s + kT] = static_cast<std::uint16_t>(s);
    }
    for (int i = 0, j = kNChar; j <= kR; i += 2, ++j) {
        freq_[j] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
        son_[j] = static_cast<std::uint16_t>(i);
        prnt_[i] = prnt_[i + 1] = static_cast<std::uint16_t>(j);
    }
    freq_[kT] = 0xFFFF;
    prnt_[kR] = 0;
}

int Huffman::CodeOf(int symbol, std::uint32_t& code) const {
    // From the leaf up: each node's bit lands above the ones below it, so the bit of the
    // root's child ends up first.
    std::uint32_t bits = 0;
    int length = 0;
    // Unsigned and pointer-wide: the walk is a chain of loads with no widening between them.
    for (std::size_t k = prnt_[symbol + kT]; k != kR; k = prnt_[k])
        bits |= static_cast<std::uint32_t>(k & 1) << length++;
    code = bits;
    return length;
}

void Huffman::Update(int symbol) {
    if (freq_[kR] == kMaxFreq) Rebuild();
    int c = prnt_[symbol + kT];
    do {
        const unsigned k = ++freq_[c];
        if (k > freq_[c + 1]) {
            // Move c behind the last node that is still lighter, keeping the order.
            int l = c + 1;
            while (k > freq_[l + 1]) ++l;
            freq_[c] = freq_[l];
            freq_[l] = static_cast<std::uint16_t>(k);

            const int i = son_[c];
            prnt_[i] = static_cast<std::uint16_t>(l);
            if (i < kT) prnt_[i + 1] = static_cast<std::uint16_t>(l);
            const int j = son_[l];
            son_[l] = static_cast<std::uint16_t>(i);
            prnt_[j] = static_cast<std::uint16_t>(c);
            if (j < kT) prnt_[j + 1] = static_cast<std::uint16_t>(c);
            son_[c] = static_cast<std::uint16_t>(j);
            c = l;
        }
        c = prnt_[c];
    } while (c != 0);
}

void Huffman::Rebuild() {
    // Leaves to the front, with halved counts.
    int j = 0;
    for (int i = 0; i < kT; ++i) {
        if (son_[i] >= kT) {
            freq_[j] = static_cast<std::uint16_t>((freq_[i] + 1) / 2);
            son_[j] = son_[i];
            ++j;
        }
    }
    // Join pairs into inner nodes, each inserted where the order wants it.
    for (int i = 0, node = kNChar; node < kT; i += 2, ++node) {
        const unsigned f = freq_[i] + freq_[i + 1];
        int k = node - 1;
        while (f < freq_[k]) --k;
        ++k;
        std::copy_backward(freq_.begin() + k, freq_.begin() + node, freq_.begin() + node + 1);
        std::copy_backward(son_.begin() + k, son_.begin() + node, son_.begin() + node + 1);
        freq_[k] = static_cast<std::uint16_t>(f);
        son_[k] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0; i < kT; ++i) {
        const int k = son_[i];
        if (k >= kT) {
            prnt_[k] = static_cast<std::uint16_t>(i);
        } else {
            prnt_[k] = prnt_[k + 1] = static_cast<std::uint16_t>(i);
        }
    }
}

}  // namespace tavo::lzh
