#include "payload/block_stream.h"

#include <cstring>

#include "foundation/stream_checksum.h"
#include "payload/block_head.h"
#include "payload/lzh_codec.h"
#include "tests/payload/block_test_support.h"
#include "tests/payload/lzh_samples.h"

namespace tavo {
namespace {

using test::GetLe;
using test::PutLe;

class BlockStreamTest : public test::BlockTest {
  protected:
    std::string Pack(const std::string& data, const std::string& name = "", double time = 0) {
        TMemoryStream in(data), out;
        EXPECT_TRUE(PackStream(in, out, false, name, time));
        EXPECT_EQ(out.Position(), out.Size());
        return test::Bytes(out);
    }
    // Unpacks from position 0; the result and the bytes.
    std::pair<bool, std::string> Unpack(const std::string& block) {
        TMemoryStream in(block), out;
        const bool ok = UnpackStream(in, out, false);
        return {ok, test::Bytes(out)};
    }
};

TEST_F(BlockStreamTest, PacksAnEmptySourceIntoA35ByteBlock) {
    const std::string block = Pack("");
    ASSERT_EQ(block.size(), 35u);
    EXPECT_EQ(block.substr(0, 8), std::string("zarvek\x01\x00", 8));
    EXPECT_EQ(GetLe(block, 8, 4), 35u);  // block length
    EXPECT_EQ(GetLe(block, 12, 4), 0u);  // unpacked length
    EXPECT_EQ(GetLe(block, 16, 8), 0u);  // time stamp 0.0
    EXPECT_EQ(GetLe(block, 24, 2), 0u);  // reserved
    EXPECT_EQ(GetLe(block, 26, 2), 0u);  // name length
    EXPECT_EQ(GetLe(block, 28, 4), 0u);  // checksum of nothing
    EXPECT_EQ(block.substr(32), std::string("\x00\xC6\x00", 3));
    EXPECT_EQ(Unpack(block), std::make_pair(true, std::string()));
}

TEST_F(BlockStreamTest, PacksAbcAsTheFormatSays) {
    const std::string block = Pack("abc");
    ASSERT_EQ(block.size(), 37u);
    EXPECT_EQ(GetLe(block, 8, 4), 37u);
    EXPECT_EQ(GetLe(block, 12, 4), 3u);
    EXPECT_EQ(GetLe(block, 28, 4), 0xCA6598D0u);
    EXPECT_EQ(block.substr(32), std::string("\x00\xF6\xFB\xBD\xE0", 5));
    EXPECT_EQ(Unpack(block), std::make_pair(true, std::string("abc")));
}

TEST_F(BlockStreamTest, StoresNameAndTimeStampAndReadsThemBack) {
    const double time = 46000.75;  // 18:00 on a day in 2025
    const std::string block = Pack("abc", "bin\\Größe.txt", time);
    EXPECT_EQ(GetLe(block, 26, 2), 13u);  // Windows-1252: one byte per character
    EXPECT_EQ(block.substr(32, 14), std::string("bin\\Gr\xF6\xDF"
                                                "e.txt\0",
                                                14));
    double stored;
    std::memcpy(&stored, block.data() + 16, 8);
    EXPECT_EQ(stored, time);

    TMemoryStream in(block);
    tmyHeadintern head;
    ASSERT_TRUE(ReadHead(in, head));
    EXPECT_EQ(head.name, "bin\\Größe.txt");
    EXPECT_EQ(head.nameLength, 13);
    EXPECT_EQ(head.timeStamp, time);
    EXPECT_EQ(head.version, 1);
    EXPECT_EQ(head.blockLength, static_cast<std::int32_t>(block.size()));
    EXPECT_EQ(in.Position(), 32 + 13 + 1);  // at the bit stream
}

TEST_F(BlockStreamTest, RefusesANameTheCodePageCannotHold) {
    prompts_.Expect(
        test::ExpectedPrompt("Der Name Łódź.txt kann nicht im Datenblock gespeichert werden.", 0));
    TMemoryStream in(std::string_view("abc")), out(std::string_view("keep"));
    EXPECT_FALSE(PackStream(in, out, false, "Łódź.txt", 0));
    EXPECT_EQ(test::Bytes(out), "keep");
}

TEST_F(BlockStreamTest, AppendsOrReplaces) {
    TMemoryStream in(std::string_view("abc")), out(std::string_view("PREFIX"));
    ASSERT_TRUE(out.Seek(6));
    ASSERT_TRUE(PackStream(in, out, true, "", 0));
    EXPECT_EQ(out.Size(), 6 + 37);
    EXPECT_EQ(test::Bytes(out).substr(0, 6), "PREFIX");
    ASSERT_TRUE(PackStream(in, out, false, "", 0));
    EXPECT_EQ(test::Bytes(out), Pack("abc"));
}

// How damaged or foreign headers are met: the log line or notices, and false.
TEST_F(BlockStreamTest, RefusesHeadersItCannotRead) {
    const std::string good = Pack("abc", "n.txt");
    auto with = [&](std::size_t at, std::uint64_t value, int size) {
        std::string b = good;
        PutLe(b, at, value, size);
        return b;
    };
    const struct {
        const char* name;
        std::string block;
        std::vector<std::string> notices;
        const char* logLine;
    } cases[] = {
        {"foreign first byte",
         std::string("MZ\x90\x00\x03\x00", 6),
         {"error unpack.head"},
         "Binarydata.head.unbekannt"},
        {"cut-off header",
         good.substr(0, 20),
         {"Binarydata.head nicht möglich", "error unpack.head"},
         nullptr},
        {"terminator not 0",
         with(32 + 5, 'x', 1),
         {"Binarydata.head.lesefehler", "error unpack.head"},
         nullptr},
        {"cut-off name",
         good.substr(0, 34),
         {"Binarydata.head.lesefehler", "error unpack.head"},
         nullptr},
        {"version 2", with(6, 2, 1), {"error unpack.head"}, "Binarydata.head.version 2"},
        {"block length inside the header",
         with(8, 20, 4),
         {"error unpack.head"},
         "Binarydata.head.laenge"},
        {"negative unpacked length",
         with(12, 0xFFFFFFFF, 4),
         {"error unpack.head"},
         "Binarydata.head.laenge"},
        {"legacy with negative length",
         std::string("\xFE\xFF\xFF\xFF\xFF\0\0\0\0\xC6\0", 11),
         {"error unpack.head"},
         "Binarydata.head.laenge"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::ResetFoundationState();
        test::ScriptedPrompts prompts;
        for (const auto& notice : c.notices) prompts.Expect(test::ExpectedPrompt(notice, 0));
        EXPECT_FALSE(Unpack(c.block).first);
        if (c.logLine) {
            EXPECT_TRUE(Logged(c.logLine)) << LogText();
        }
        for (const auto& asked : prompts.Asked()) {
            EXPECT_EQ(asked.kind, kKindInformation);
            EXPECT_EQ(asked.buttons.size(), 1u);  // OK only
        }
    }
}

TEST_F(BlockStreamTest, TakesWhatTheFormatLeavesOpen) {
    // Any padding byte; only the first letter of the magic counts.
    std::string block = Pack("abc");
    block[7] = '\xAB';
    block[1] = 'Q';
    EXPECT_EQ(Unpack(block), std::make_pair(true, std::string("abc")));
    // Fewer than 5 bytes: nothing, and no notice.
    EXPECT_EQ(Unpack("zarv"), std::make_pair(false, std::string()));
    EXPECT_EQ(Unpack(""), std::make_pair(false, std::string()));
}

TEST_F(BlockStreamTest, ReadsAVersion0HeaderWithItsDayNumber) {
    TMemoryStream abc(std::string_view("abc")), bits;
    ASSERT_EQ(LzhEncode(abc, bits), LzhStatus::Ok);
    std::string block(28, '\0');
    std::memcpy(block.data(), "zarvek\x00\x00", 8);
    PutLe(block, 8, 28 + 5 + 1 + bits.Size(), 4);
    PutLe(block, 12, 3, 4);
    PutLe(block, 16, 45000, 4);  // whole days
    PutLe(block, 20, 5, 2);
    PutLe(block, 24, 0xCA6598D0u, 4);
    block += std::string("a.txt\0", 6) + test::Bytes(bits);

    TMemoryStream in(block + "NEXT");
    tmyHeadintern head;
    ASSERT_TRUE(ReadHead(in, head));
    EXPECT_EQ(head.version, 1);
    EXPECT_EQ(head.timeStamp, 45000.0);
    EXPECT_EQ(head.name, "a.txt");
    EXPECT_EQ(head.checksum, 0xCA6598D0u);
    EXPECT_EQ(in.Position(), 34);

    ASSERT_TRUE(in.Seek(0));
    TMemoryStream out;
    EXPECT_TRUE(UnpackStream(in, out, true));
    EXPECT_EQ(test::Bytes(out), "abc");
    EXPECT_EQ(in.Position(), static_cast<std::int64_t>(block.size()));
}

TEST_F(BlockStreamTest, ReadsTheLegacyForm) {
    std::string block = "\xFE" + std::string(8, '\0') + "\xF6\xFB\xBD\xE0";
    PutLe(block, 1, 0x1'0000'0003ull, 8);  // only the low 32 bits count
    TMemoryStream in(block);
    tmyHeadintern head;
    ASSERT_TRUE(ReadHead(in, head));
    EXPECT_EQ(head.version, 0);
    EXPECT_EQ(head.unpackedLength, 3);
    EXPECT_EQ(head.blockLength, 3);
    EXPECT_EQ(head.checksum, 0u);
    EXPECT_EQ(in.Position(), 9);
    EXPECT_EQ(Unpack(block), std::make_pair(true, std::string("abc")));
}

TEST_F(BlockStreamTest, FailsQuietlyOnAWrongChecksumOrLength) {
    const std::string data = test::SampleText(3000);
    const std::string good = Pack(data);
    std::string wrongSum = good;
    PutLe(wrongSum, 28, GetLe(good, 28, 4) ^ 1, 4);
    auto [ok, bytes] = Unpack(wrongSum);
    EXPECT_FALSE(ok);
    EXPECT_EQ(bytes, data);  // the unpacked bytes stay

    std::string longer = good;  // claims one byte more than was packed
    PutLe(longer, 12, data.size() + 1, 4);
    EXPECT_FALSE(Unpack(longer).first);
}

TEST_F(BlockStreamTest, ATruncatedBlockIsNeverASuccess) {
    const std::string data = test::SampleMixed(50'000);
    for (const bool withChecksum : {true, false}) {
        std::string block = Pack(data);
        if (!withChecksum) PutLe(block, 28, 0, 4);  // 0: no checksum test
        const auto [ok, bytes] = Unpack(block.substr(0, block.size() * 2 / 3));
        EXPECT_FALSE(ok) << withChecksum;
        EXPECT_LT(bytes.size(), data.size());
        EXPECT_EQ(bytes, data.substr(0, bytes.size()));
    }
}

// A chain of blocks, read one after the other from the current position, in memory and
// straight from a region of a file that carries them behind a program.
TEST_F(BlockStreamTest, LeavesTheSourceExactlyAtTheNextBlock) {
    const std::vector<std::string> contents = {"",
                                               "abc",
                                               std::string(100, 'a'),
                                               test::SampleText(7777),
                                               test::SampleNoise(1001),
                                               test::SampleMixed(60'000)};
    TMemoryStream chain;
    std::vector<std::int64_t> starts;
    for (const auto& content : contents) {
        starts.push_back(chain.Position());
        TMemoryStream in(content);
        ASSERT_TRUE(PackStream(in, chain, true, "", 0));
    }
    starts.push_back(chain.Size());

    const std::string program =
        "\x7F"
        "ELF program bytes";
    test::WriteFile(root_.At("setup"), program + test::Bytes(chain) + "TRAILER");
    auto region = TFileStream::OpenRegion(root_.At("setup"), program.size(), chain.Size());
    ASSERT_TRUE(region);

    for (TStream* source : {static_cast<TStream*>(&chain), static_cast<TStream*>(region.get())}) {
        ASSERT_TRUE(source->Seek(0));
        for (std::size_t i = 0; i < contents.size(); ++i) {
            EXPECT_EQ(source->Position(), starts[i]);
            TMemoryStream out;
            EXPECT_TRUE(UnpackStream(*source, out, true)) << i;
            EXPECT_EQ(test::Bytes(out), contents[i]) << i;
        }
        EXPECT_EQ(source->Position(), starts.back());
    }
}

}  // namespace
}  // namespace tavo
