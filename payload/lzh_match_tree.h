#pragma once

#include <array>
#include <cstdint>

#include "payload/lzh_constants.h"

namespace tavo::lzh {

// The encoder's window and its binary search trees of strings. Each window position r
// stands for the 60-byte string text[r..r+59]; one tree per first byte (roots at
// N + 1 + byte) orders them. Inserting a position finds the longest earlier match on the
// way down; of equally long matches the nearer one wins.
class MatchTree {
  public:
    // Ring buffer of N bytes; positions N..N+F-2 repeat 0..F-2 so that a comparison of up to
    // F bytes never wraps.
    std::array<std::uint8_t, kN + kF - 1> text{};

    // Empties the trees; the window holds spaces before the data and zeros after.
    void Start();
    // Enters position r and leaves the longest match in matchPosition / matchLength.
    void Insert(int r);
    // Takes position p out of its tree (nothing when it is not in one).
    void Delete(int p);

    // Distance back minus one (0..4094) and length of the last match found.
    int matchPosition = 0;
    int matchLength = 0;

  private:
    // Bytes 1..8 of the string at node, as a big-endian number.
    std::uint64_t BytesOf(int node) const;
    // Leaves the match of a score (see MatchScore) in matchPosition / matchLength.
    void TakeMatch(int score);
    int Child(int p, int side) const { return child_[p][side]; }
    void SetChild(int p, int side, int node) { child_[p][side] = static_cast<std::uint16_t>(node); }
    // Side 1 (right) or 0 (left) on which parent holds child.
    int SideOf(int parent, int child) const { return Child(parent, 1) == child ? 1 : 0; }

    // child_[p][0] is the left link of p, child_[p][1] the right one (the 256 roots use only
    // the right one); dad_ is the parent, NIL for a position in no tree.
    // 16-bit links keep the trees, the window and dad_ within the first-level cache together:
    // the walk is a chain of dependent loads, and their latency is what it costs.
    std::array<std::array<std::uint16_t, 2>, kN + 257> child_{};
    std::array<std::uint16_t, kN + 1> dad_{};
};

}  // namespace tavo::lzh
