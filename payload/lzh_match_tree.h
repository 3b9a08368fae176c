#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "payload/lzh_constants.h"

namespace tavo::lzh {

// The encoder's window and its binary search trees of strings. Each window position r
// stands for the 60 window bytes from r on; one tree per first byte (roots at
// N + 1 + byte) orders them. Inserting a position finds the longest earlier match on the
// way down; of equally long matches the nearer one wins.
class MatchTree {
  public:
    // The window: a ring of N bytes; positions N..N+F-2 repeat 0..F-2 so that a comparison of
    // up to F bytes never wraps.
    std::uint8_t At(int position) const { return reversed_[kLastByte - position]; }
    // Writes a byte of the ring, and its repetition behind the ring.
    void Put(int position, std::uint8_t byte) {
        reversed_[kLastByte - position] = byte;
        if (position < kF - 1) reversed_[kLastByte - kN - position] = byte;
    }

    // Empties the trees; the window holds spaces before the data and zeros after.
    void Start();
    // Enters position r and leaves the longest match in matchPosition / matchLength.
    void Insert(int r);
    // Takes a position out of its tree (nothing when it is not in one).
    void Delete(int position);

    // Distance back minus one (0..4094) and length of the last match found.
    int matchPosition = 0;
    int matchLength = 0;

  private:
    // Positions are numbered back to front inside the trees (node N - 1 - position), like
    // the window in reversed_: then a node's links and its string's bytes are both found at
    // the node's number plus a constant, and the walk needs no arithmetic between loads.
    static std::size_t NodeOf(int position) { return static_cast<std::size_t>(kN - 1 - position); }
    // Bytes offset..offset+7 of the string at node as a big-endian number (offset <= F - 8).
    std::uint64_t WordOf(std::size_t node, int offset) const;
    // Compares the strings at key and other from byte from to F - 1.
    struct Comparison;
    Comparison CompareFrom(std::size_t key, std::size_t other, int from) const;
    // Leaves the match of a score (see MatchScore) in matchPosition / matchLength.
    void TakeMatch(int score);
    std::size_t Child(std::size_t n, int side) const { return child_[n][side]; }
    void SetChild(std::size_t n, int side, std::size_t node) {
        child_[n][side] = static_cast<std::uint16_t>(node);
    }
    // Side 1 (right) or 0 (left) on which parent holds child.
    int SideOf(std::size_t parent, std::size_t child) const {
        return Child(parent, 1) == child ? 1 : 0;
    }

    // child_[n][0] is the left link of node n, child_[n][1] the right one (the 256 roots use
    // only the right one); dad_ is the parent, NIL for a node in no tree.
    // 16-bit links keep the trees, the window and dad_ within the first-level cache together:
    // the walk is a chain of dependent loads, and their latency is what it costs.
    std::array<std::array<std::uint16_t, 2>, kN + 257> child_{};
    std::array<std::uint16_t, kN + 1> dad_{};
    // The window back to front (position i at kLastByte - i): eight bytes loaded from it are,
    // read as a little-endian number, those bytes of the window in big-endian order, which is
    // how strings compare. That spares the walk a byte swap on every step.
    static constexpr int kLastByte = kN + kF - 2;
    std::array<std::uint8_t, kN + kF - 1> reversed_{};
};

}  // namespace tavo::lzh
