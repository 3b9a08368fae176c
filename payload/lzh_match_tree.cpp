#include "payload/lzh_match_tree.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tavo::lzh {
namespace {

struct Comparison {
    int length;  // equal leading bytes, 1..F (byte 0 is equal by choice of the tree)
    // The first words that differ, as big-endian numbers (equal when none does): the key's
    // string orders at or after the other's when key >= other.
    std::uint64_t key;
    std::uint64_t other;
};

std::uint64_t LoadBigEndian(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

// Compares bytes from..F-1 of two window strings eight at a time; as big-endian numbers the
// words order like the bytes. The last word overlaps the one before to end at byte F - 1.
Comparison CompareFrom(const std::uint8_t* a, const std::uint8_t* b, int from) {
    constexpr int kLastWord = kF - 8;
    for (int i = from;; i += 8) {
        const int at = std::min(i, kLastWord);
        const std::uint64_t x = LoadBigEndian(a + at);
        const std::uint64_t y = LoadBigEndian(b + at);
        if (x != y) return {at + std::countl_zero(x ^ y) / 8, x, y};
        if (at == kLastWord) return {kF, x, y};
    }
}

// Compares by bytes 1..8, reading on only when they are equal.
Comparison CompareKey(const std::uint8_t* key, std::uint64_t keyBytes, const std::uint8_t* other,
                      std::uint64_t otherBytes) {
    if (keyBytes == otherBytes) return CompareFrom(key, other, 9);
    const int equal = std::countl_zero(keyBytes ^ otherBytes) / 8;
    return {1 + equal, keyBytes, otherBytes};
}

// Orders matches as the encoder prefers them: longer first, of equal length the nearer. One
// number, so that keeping the best is a single max without a jump (which string wins is as
// good as random, and a mispredicted jump stalls the walk). Matches too short to use score 0.
int MatchScore(int length, int distance) {
    const int usable = -static_cast<int>(length > kThreshold);  // all ones or zero
    return ((length << 12) | (kN - 1 - distance)) & usable;
}

}  // namespace

void MatchTree::TakeMatch(int score) {
    matchLength = score >> 12;
    // Without a match the last position stays, as the walk found nothing to replace it.
    if (score != 0) matchPosition = kN - 1 - (score & (kN - 1));
}

std::uint64_t MatchTree::BytesOf(int node) const {
    return LoadBigEndian(&text[node + 1]);
}

void MatchTree::Start() {
    for (int root = kN + 1; root < kN + 257; ++root) child_[root][1] = kNil;
    std::fill(dad_.begin(), dad_.end(), kNil);
    // The copy behind the ring starts as zeros, not as spaces: the stream depends on it.
    text.fill(0);
    std::fill(text.begin(), text.begin() + kWindowStart, ' ');
}

void MatchTree::Insert(int r) {
    const std::uint8_t* key = &text[r];
    const std::uint64_t keyBytes = BytesOf(r);
    child_[r][0] = child_[r][1] = kNil;
    int parent = kN + 1 + key[0];
    int side = 1;
    int best = 0;  // Score of the best match so far; 0 for none
    // Unsigned and as wide as a pointer: no widening step between a load and the next.
    std::size_t next = child_[parent][1];
    std::size_t p;
    for (;;) {
        if (next == kNil) {
            SetChild(parent, side, r);
            dad_[r] = static_cast<std::uint16_t>(parent);
            TakeMatch(best);
            return;
        }
        p = next;
        // Both links of p are read before the comparison has chosen one, so that the
        // comparison runs in the shadow of the load.
        const std::size_t left = child_[p][0];
        const std::size_t right = child_[p][1];
        const Comparison cmp = CompareKey(key, keyBytes, &text[p], LoadBigEndian(&text[p + 1]));
        side = cmp.key >= cmp.other ? 1 : 0;
        const int distance = ((r - static_cast<int>(p)) & (kN - 1)) - 1;
        best = std::max(best, MatchScore(cmp.length, distance));
        if (best >= kF << 12) break;
        parent = static_cast<int>(p);
        // Told that the side is as good as random, the compiler picks it with a conditional
        // move straight from the comparison instead of a jump that is mispredicted half the
        // time; a mask built from side would add four steps to the walk's chain.
        next = __builtin_expect_with_probability(cmp.key >= cmp.other, 1, 0.5) ? right : left;
    }
    TakeMatch(best);
    // A full match: r takes p's place, p leaves the tree (r is the newer copy).
    dad_[r] = dad_[p];
    child_[r] = child_[p];
    dad_[Child(p, 0)] = static_cast<std::uint16_t>(r);
    dad_[Child(p, 1)] = static_cast<std::uint16_t>(r);
    SetChild(dad_[p], SideOf(dad_[p], p), r);
    dad_[p] = kNil;
}

void MatchTree::Delete(int p) {
    if (dad_[p] == kNil) return;
    int q;
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
