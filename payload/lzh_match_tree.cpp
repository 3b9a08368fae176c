#include "payload/lzh_match_tree.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tavo::lzh {
namespace {

int EqualBytes(std::uint64_t a, std::uint64_t b) {
    return std::countl_zero(a ^ b) / 8;
}

// Orders matches as the encoder prefers them: longer first, of equal length the nearer. One
// number, so that keeping the best is a single max without a jump (which string wins is as
// good as random, and a mispredicted jump stalls the walk). Matches too short to use score 0.
int MatchScore(int length, int distance) {
    const int usable = -static_cast<int>(length > kThreshold);  // all ones or zero
    return ((length << 12) | (kN - 1 - distance)) & usable;
}

}  // namespace

struct MatchTree::Comparison {
    int length;  // equal leading bytes, 1..F (byte 0 is equal by choice of the tree)
    // The first words that differ, as big-endian numbers (equal when none does): the key's
    // string orders at or after the other's when key >= other.
    std::uint64_t key;
    std::uint64_t other;
};

// Byte k of the string at node lies at kLastByte - position - k = node + F - 1 - k, so the
// eight bytes from node + F - 8 - offset run from byte offset + 7 down to byte offset: read as
// a little-endian number, byte offset is the highest.
std::uint64_t MatchTree::WordOf(std::size_t node, int offset) const {
    std::uint64_t v;
    std::memcpy(&v, &reversed_[node + (kF - 8 - offset)], 8);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
    return v;
}

// Eight bytes at a time; the last word overlaps the one before to end at byte F - 1.
MatchTree::Comparison MatchTree::CompareFrom(std::size_t key, std::size_t other, int from) const {
    constexpr int kLastWord = kF - 8;
    for (int i = from;; i += 8) {
        const int at = std::min(i, kLastWord);
        const std::uint64_t x = WordOf(key, at);
        const std::uint64_t y = WordOf(other, at);
        if (x != y) return {at + EqualBytes(x, y), x, y};
        if (at == kLastWord) return {kF, x, y};
    }
}

void MatchTree::TakeMatch(int score) {
    matchLength = score >> 12;
    // Without a match the last position stays, as the walk found nothing to replace it.
    if (score != 0) matchPosition = kN - 1 - (score & (kN - 1));
}

void MatchTree::Start() {
    for (int root = kN + 1; root < kN + 257; ++root) child_[root][1] = kNil;
    std::fill(dad_.begin(), dad_.end(), kNil);
    // The copy behind the ring starts as zeros, not as spaces: the stream depends on it.
    reversed_.fill(0);
    std::fill(reversed_.end() - kWindowStart, reversed_.end(), ' ');
}

void MatchTree::Insert(int r) {
    const std::size_t key = NodeOf(r);
    const std::uint64_t keyBytes = WordOf(key, 1);
    child_[key][0] = child_[key][1] = kNil;
    std::size_t parent = kN + 1 + At(r);
    int side = 1;
    int best = 0;  // Score of the best match so far; 0 for none
    // Unsigned and as wide as a pointer: no widening step between a load and the next.
    std::size_t next = child_[parent][1];
    std::size_t p;
    for (;;) {
        if (next == kNil) {
            SetChild(parent, side, key);
            dad_[key] = static_cast<std::uint16_t>(parent);
            TakeMatch(best);
            return;
        }
        p = next;
        // Both links of p are read before the comparison has chosen one, so that the
        // comparison runs in the shadow of the load.
        const std::size_t left = child_[p][0];
        const std::size_t right = child_[p][1];
        // Bytes 1..8 decide most steps; only when they are equal is more read.
        const std::uint64_t otherBytes = WordOf(p, 1);
        const Comparison cmp =
            keyBytes != otherBytes
                ? Comparison{1 + EqualBytes(keyBytes, otherBytes), keyBytes, otherBytes}
                : CompareFrom(key, p, 9);
        const bool atOrAfter = cmp.key >= cmp.other;
        side = atOrAfter ? 1 : 0;
        // Nodes count back to front, so r - position is p - key.
        const int distance = (static_cast<int>(p - key) & (kN - 1)) - 1;
        best = std::max(best, MatchScore(cmp.length, distance));
        if (best >= kF << 12) break;
        parent = p;
        // Told that the side is as good as random, the compiler picks it with a conditional
        // move straight from the comparison instead of a jump that is mispredicted half the
        // time; a mask built from side would add four steps to the walk's chain.
        next = __builtin_expect_with_probability(atOrAfter, 1, 0.5) ? right : left;
    }
    TakeMatch(best);
    // A full match: the key takes p's place, p leaves the tree (the key is the newer copy).
    dad_[key] = dad_[p];
    child_[key] = child_[p];
    dad_[Child(p, 0)] = static_cast<std::uint16_t>(key);
    dad_[Child(p, 1)] = static_cast<std::uint16_t>(key);
    SetChild(dad_[p], SideOf(dad_[p], p), key);
    dad_[p] = kNil;
}

void MatchTree::Delete(int position) {
    const std::size_t p = NodeOf(position);
    if (dad_[p] == kNil) return;
    std::size_t q;
    if (Child(p, 1) == kNil) {
        q = Child(p, 0);
    } else if (Child(p, 0) == kNil) {
        q = Child(p, 1);
    } else {
        // Two children: the rightmost node of the left subtree replaces p.
        q = Child(p, 0);
        if (Child(q, 1) != kNil) {
            do q = Child(q, 1);
            while (Child(q, 1) != kNil);
            child_[dad_[q]][1] = child_[q][0];
            dad_[Child(q, 0)] = dad_[q];
            child_[q][0] = child_[p][0];
            dad_[Child(p, 0)] = static_cast<std::uint16_t>(q);
        }
        child_[q][1] = child_[p][1];
        dad_[Child(p, 1)] = static_cast<std::uint16_t>(q);
    }
    dad_[q] = dad_[p];
    SetChild(dad_[p], SideOf(dad_[p], p), q);
    dad_[p] = kNil;
}

}  // namespace tavo::lzh
