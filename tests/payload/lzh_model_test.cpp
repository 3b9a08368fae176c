// The two models inside the codec, seen on their own.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "payload/lzh_huffman.h"
#include "payload/lzh_match_tree.h"

namespace tavo::lzh {
namespace {

void PutString(MatchTree& tree, int position, const std::string& bytes) {
    for (const char c : bytes) tree.Put(position++, static_cast<std::uint8_t>(c));
}

// Of equally long earlier matches the nearer one is coded; a longer one beats a nearer one.
TEST(LzhMatchTree, PrefersTheLongestAndThenTheNearestMatch) {
    const struct {
        const char* name;
        std::vector<std::pair<int, const char*>> earlier;  // position, string (in order)
        int at;
        const char* key;
        int length, distance;  // distance = r - p
    } cases[] = {
        {"equal, nearer visited last", {{100, "abc1"}, {200, "abc2"}}, 300, "abc3", 3, 100},
        {"equal, nearer visited first", {{200, "abc3"}, {100, "abc1"}}, 300, "abc2", 3, 100},
        {"longer beats nearer", {{100, "abcd1"}, {200, "abc9"}}, 300, "abcd7", 4, 200},
        {"too short", {{100, "ab1"}}, 300, "ab2", 0, 0},
    };
    for (const auto& c : cases) {
        auto tree = std::make_unique<MatchTree>();
        tree->Start();
        for (const auto& [position, text] : c.earlier) {
            PutString(*tree, position, text);
            tree->Insert(position);
        }
        PutString(*tree, c.at, c.key);
        tree->Insert(c.at);
        EXPECT_EQ(tree->matchLength, c.length) << c.name;
        if (c.length > 0) {
            EXPECT_EQ(tree->matchPosition, c.distance - 1) << c.name;
        }
    }
}

TEST(LzhMatchTree, AFullMatchReplacesTheOlderCopy) {
    auto tree = std::make_unique<MatchTree>();
    tree->Start();
    // Three equal strings of 60 bytes; the middle one is found, then it leaves the tree for
    // the newest, so the next insert finds the newest.
    for (const int position : {1000, 2000, 3000}) PutString(*tree, position, std::string(60, 'q'));
    tree->Insert(1000);
    tree->Insert(2000);
    EXPECT_EQ(tree->matchLength, 60);
    EXPECT_EQ(tree->matchPosition, 999);
    tree->Insert(3000);
    EXPECT_EQ(tree->matchPosition, 999);  // 2000, not 1000, which has left the tree
    tree->Delete(2000);                   // not in a tree any more: nothing happens
    tree->Delete(3000);
    PutString(*tree, 3500, std::string(60, 'q'));
    tree->Insert(3500);
    EXPECT_EQ(tree->matchLength, 0);  // the tree of 'q' is empty now
}

// Encodes symbols into bits and decodes them with a second model, which must stay in step.
struct BitBuffer {
    std::vector<int> bits;
    std::size_t next = 0;
    int GetBit() { return bits.at(next++); }
};

TEST(LzhHuffman, RebuildsAtTheLimitAndStaysInStepWithTheDecoder) {
    Huffman encoder, decoder;
    encoder.Start();
    decoder.Start();
    EXPECT_EQ(encoder.RootCount(), 314u);  // every symbol starts with 1

    std::mt19937 random(5);
    std::geometric_distribution<int> skewed(0.05);
    BitBuffer buffer;
    std::vector<int> symbols;
    unsigned highest = 0;
    int rebuilds = 0;
    for (int n = 0; n < 100'000; ++n) {
        const int symbol = std::min(skewed(random), 313);
        symbols.push_back(symbol);
        std::uint32_t code;
        const int length = encoder.CodeOf(symbol, code);
        ASSERT_GE(length, 1);
        for (int k = length - 1; k >= 0; --k) buffer.bits.push_back((code >> k) & 1);
        const unsigned before = encoder.RootCount();
        encoder.Update(symbol);
        if (encoder.RootCount() < before) ++rebuilds;
        highest = std::max(highest, encoder.RootCount());
    }
    EXPECT_EQ(highest, 0x8000u);
    EXPECT_GE(rebuilds, 3);
    for (const int symbol : symbols) {
        const int decoded = decoder.Decode(buffer);
        ASSERT_EQ(decoded, symbol);
        decoder.Update(decoded);
    }
    EXPECT_EQ(buffer.next, buffer.bits.size());
}

TEST(LzhHuffman, GivesFrequentSymbolsShortCodes) {
    Huffman code;
    code.Start();
    std::uint32_t bits;
    const int before = code.CodeOf('e', bits);
    for (int n = 0; n < 1000; ++n) code.Update('e');
    EXPECT_LT(code.CodeOf('e', bits), before);
    EXPECT_GT(code.CodeOf('q', bits), code.CodeOf('e', bits));
}

}  // namespace
}  // namespace tavo::lzh
