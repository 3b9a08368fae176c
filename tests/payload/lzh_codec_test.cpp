#include "payload/lzh_codec.h"

#include <gtest/gtest.h>

#include "tests/payload/lzh_reference.h"
#include "tests/payload/lzh_samples.h"

namespace tavo {
namespace {

std::string Encode(const std::string& data) {
    TMemoryStream in(data), out;
    EXPECT_EQ(LzhEncode(in, out), LzhStatus::Ok);
    return std::string(out.View());
}

std::string Decode(const std::string& stream, std::int64_t count,
                   LzhStatus expected = LzhStatus::Ok) {
    TMemoryStream in(stream), out;
    EXPECT_EQ(LzhDecode(in, out, count), expected);
    return std::string(out.View());
}

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char b : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

TEST(LzhCodec, GivesTheCheckValues) {
    const struct {
        std::string data;
        const char* stream;
    } cases[] = {
        {"", "C6 00"},  // one literal, the zero behind the window
        {"abc", "F6 FB BD E0"},
        {std::string(100, 'a'), "F6 FB 40 16 00 00"},  // a literal, then matches at 0
    };
    for (const auto& c : cases) {
        const std::string stream = Encode(c.data);
        EXPECT_EQ(Hex(stream), c.stream) << c.data.size() << " bytes";
        EXPECT_EQ(Decode(stream, static_cast<std::int64_t>(c.data.size())), c.data);
    }
}

TEST(LzhCodec, MatchesTheSpacesOfTheWindowFromTheFirstByte) {
    // Sixty spaces are one match against the window; coded as literals they would take
    // about 60 bytes.
    const std::string spaces(60, ' ');
    const std::string stream = Encode(spaces);
    EXPECT_LE(stream.size(), 3u) << Hex(stream);
    EXPECT_EQ(Decode(stream, 60), spaces);
    EXPECT_EQ(stream, test::ReferenceEncode(spaces));
    EXPECT_LT(Encode("   Setup").size(), Encode("xyzSetup").size());
}

// The codec must give exactly the bytes of the straightforward transcription, over inputs
// that reach the rebuild of the code at 0x8000 (a few ten thousand symbols) many times.
TEST(LzhCodec, EncodesBitForBitLikeTheTranscription) {
    const struct {
        const char* name;
        std::string data;
    } cases[] = {
        {"text", test::SampleText(300'000)},
        {"noise", test::SampleNoise(200'000)},
        {"mixed", test::SampleMixed(3'000'000)},
        {"zeros", std::string(500'000, '\0')},
        {"spaces then text", std::string(5000, ' ') + test::SampleText(20'000)},
        {"short", "ab"},
    };
    for (const auto& c : cases) {
        const std::string stream = Encode(c.data);
        EXPECT_EQ(stream, test::ReferenceEncode(c.data)) << c.name;
        EXPECT_EQ(Decode(stream, static_cast<std::int64_t>(c.data.size())), c.data) << c.name;
    }
}

TEST(LzhCodec, RoundTripsSeveralMegabytesOfMixedData) {
    const std::string data = test::SampleMixed(6'000'000, 11) + test::SampleNoise(1'000'000, 12);
    const std::string stream = Encode(data);
    EXPECT_LT(stream.size(), data.size());
    EXPECT_EQ(Decode(stream, static_cast<std::int64_t>(data.size())), data);
}

TEST(LzhCodec, WritesAtTheDestinationsPosition) {
    TMemoryStream in(std::string_view("xxabc")), out(std::string_view("HEAD"));
    ASSERT_TRUE(in.Seek(2));  // from the source's position
    ASSERT_TRUE(out.Seek(4));
    EXPECT_EQ(LzhEncode(in, out), LzhStatus::Ok);
    EXPECT_EQ(Hex(std::string(out.View())), "48 45 41 44 F6 FB BD E0");

    TMemoryStream stream(std::string_view("\xF6\xFB\xBD\xE0")), decoded(std::string_view(">"));
    ASSERT_TRUE(decoded.Seek(1));
    EXPECT_EQ(LzhDecode(stream, decoded, 3), LzhStatus::Ok);
    EXPECT_EQ(decoded.View(), ">abc");
}

// The decoder stops on the count, not on the end of its input, and leaves the source where a
// reader taking one byte at a time would stand, so that a caller can go on from there.
TEST(LzhCodec, LeavesTheSourceBehindTheBitsItTook) {
    const std::string inputs[] = {"",
                                  "abc",
                                  std::string(100, 'a'),
                                  test::SampleText(1000),
                                  test::SampleNoise(777),
                                  test::SampleMixed(20'000)};
    for (const auto& data : inputs) {
        const std::string stream = Encode(data);
        const std::string next = "NEXT-BLOCK";
        TMemoryStream in(stream + next), out;
        ASSERT_EQ(LzhDecode(in, out, static_cast<std::int64_t>(data.size())), LzhStatus::Ok);
        EXPECT_EQ(out.View(), data);
        const auto reference = test::ReferenceDecode(stream + next, data.size());
        EXPECT_EQ(in.Position(), static_cast<std::int64_t>(reference.bytesRead)) << data.size();
        EXPECT_LE(in.Position(), static_cast<std::int64_t>(stream.size() + 2));
    }
    // Taking nothing leaves the source as it was.
    TMemoryStream in(std::string_view("\xF6\xFB")), out;
    ASSERT_TRUE(in.Seek(1));
    EXPECT_EQ(LzhDecode(in, out, 0), LzhStatus::Ok);
    EXPECT_EQ(in.Position(), 1);
    EXPECT_EQ(out.Size(), 0);
}

TEST(LzhCodec, GoesOnWithZeroBitsOrStopsWhenTheInputEnds) {
    const std::string data = test::SampleText(5000);
    const std::string stream = Encode(data);
    const std::string cut = stream.substr(0, stream.size() / 2);

    // The format's own behaviour: the count is reached with bytes from 0 bits.
    const std::string padded = Decode(cut, 5000, LzhStatus::InputEnded);
    EXPECT_EQ(padded.size(), 5000u);
    EXPECT_EQ(padded, test::ReferenceDecode(cut, 5000).bytes);
    // More bytes asked for than the stream holds: the same.
    EXPECT_EQ(Decode(Encode("abc"), 10, LzhStatus::InputEnded).substr(0, 3), "abc");

    TMemoryStream in(cut), out;
    EXPECT_EQ(LzhDecode(in, out, 5000, LzhInputEnd::Stop), LzhStatus::InputEnded);
    EXPECT_GT(out.Size(), 1000);
    EXPECT_LT(out.Size(), 5000);
    EXPECT_EQ(out.View(), std::string_view(data).substr(0, static_cast<size_t>(out.Size())));
    EXPECT_EQ(in.Position(), static_cast<std::int64_t>(cut.size()));  // never beyond the end

    // A stream that is complete never counts as ended, even when it ends exactly there.
    TMemoryStream whole(stream), all;
    EXPECT_EQ(LzhDecode(whole, all, 5000, LzhInputEnd::Stop), LzhStatus::Ok);
    EXPECT_EQ(all.View(), data);
}

TEST(LzhCodec, DecodesAnyBytesWithoutGoingAstray) {
    // Whatever the input, exactly count bytes come out and nothing outside the input is read.
    for (std::uint32_t seed = 0; seed < 50; ++seed) {
        const std::string junk = test::SampleNoise(seed * 7, seed);
        const auto expected = test::ReferenceDecode(junk, 3000);
        TMemoryStream in(junk), out;
        LzhDecode(in, out, 3000);
        EXPECT_EQ(out.View(), expected.bytes) << seed;
    }
}

TEST(LzhCodec, ReportsADestinationThatRefusesBytes) {
    class Refusing final : public TStream {
      public:
        std::int64_t Size() const override { return 0; }
        std::int64_t Position() const override { return 0; }
        bool Seek(std::int64_t) override { return true; }
        std::size_t Read(void*, std::size_t) override { return 0; }
        std::size_t Write(const void*, std::size_t) override { return 0; }
        bool SetSize(std::int64_t) override { return false; }
    } refusing;
    TMemoryStream in(test::SampleText(200'000));
    EXPECT_EQ(LzhEncode(in, refusing), LzhStatus::WriteFailed);
    TMemoryStream stream(Encode("abc"));
    EXPECT_EQ(LzhDecode(stream, refusing, 3), LzhStatus::WriteFailed);
}

}  // namespace
}  // namespace tavo
