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
    // A link to a child carries the child's bytes 1..6 beside its number
    // ((bytes << 16) | node), so the walk down the tree decides most steps with one load.
    // A position's bytes do not change while it is in a tree: the window is only written at
    // positions still ahead of every string in it.
    static std::uint64_t Link(std::uint64_t bytes, int node) {
        return (bytes << 16) | static_cast<std::uint64_t>(node);
    }
    static int NodeOf(std::uint64_t link) { return static_cast<std::uint16_t>(link); }
    std::uint64_t BytesOf(int node) const;
    // Leaves the match of a score (see MatchScore) in matchPosition / matchLength.
    void TakeMatch(int score);
    int Child(int p, int side) const { return NodeOf(child_[p][side]); }
    void SetChild(int p, int side, int node) {
        child_[p][side] = node == kNil ? kNil : Link(BytesOf(node), node);
    }
    // Side 1 (right) or 0 (left) on which parent holds child.
    int SideOf(int parent, int child) const { return Child(parent, 1) == child ? 1 : 0; }

    // child_[p][0] is the left link of p, child_[p][1] the right one (the 256 roots use only
    // the right one); dad_ is the parent, NIL for a position in no tree.
    // Aligned so that both links of a node share one cache line.
    alignas(64) std::array<std::array<std::uint64_t, 2>, kN + 257> child_{};
    std::array<std::uint16_t, kN + 1> dad_{};
};

}  // namespace tavo::lzh
