#include "payload/payload_container.h"

#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/version_record.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

std::string ReadAll(TStream& stream) {
    std::string bytes(static_cast<size_t>(stream.Size()), '\0');
    stream.Seek(0);
    stream.ReadExact(bytes.data(), bytes.size());
    return bytes;
}

std::string VersionRecordBytes(std::uint32_t ms) {
    const platform::FixedFileInfo info{platform::kVersionSignature,
                                       platform::kVersionStructVersion,
                                       ms,
                                       0,
                                       ms,
                                       0,
                                       0x3F,
                                       0,
                                       4,
                                       1,
                                       0,
                                       0,
                                       0};
    std::string bytes(sizeof info, '\0');
    std::memcpy(bytes.data(), &info, sizeof info);
    return bytes;
}

class Container : public testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& content) {
        test::WriteFile(root_.At(name), content);
        return root_.At(name);
    }
    test::TempRoot root_;
};

TEST_F(Container, EachPayloadIsReachedOnItsOwn) {
    const std::string program = Write("program", "#!program" + std::string(1000, 'p'));
    const std::string big(3'000'000, 'B');
    std::string error;
    ASSERT_TRUE(BuildPayloadExecutable(program,
                                       {{"data", Write("prog.block", "main program")},
                                        {"mysql", Write("server.arc", big)},
                                        {"libmySQL", Write("lib.block", "")}},
                                       root_.At("setup"), error))
        << error;
    const auto container = PayloadContainer::Open(root_.At("setup"));
    ASSERT_TRUE(container);
    EXPECT_EQ(container->ProgramSize(), 1009u);
    EXPECT_EQ(container->Entries().size(), 3u);
    auto data = container->OpenPayload("data");
    ASSERT_TRUE(data);
    EXPECT_EQ(ReadAll(*data), "main program");
    auto server = container->OpenPayload("mysql");
    ASSERT_TRUE(server);
    EXPECT_EQ(server->Size(), 3'000'000);
    EXPECT_EQ(ReadAll(*server), big);
    EXPECT_EQ(container->OpenPayload("libmySQL")->Size(), 0);
    EXPECT_EQ(container->OpenPayload("none"), nullptr);
    EXPECT_EQ(test::ReadFile(root_.At("setup")).substr(0, 1009), test::ReadFile(program));
}

TEST_F(Container, ADamagedOrMissingTrailerMeansNoPayloads) {
    const std::string program = Write("program", "plain program");
    EXPECT_FALSE(PayloadContainer::Open(program));
    EXPECT_EQ(ProgramPartSize(program), 13u);
    std::string error;
    ASSERT_TRUE(
        BuildPayloadExecutable(program, {{"data", Write("d", "xyz")}}, root_.At("setup"), error));
    std::string bytes = test::ReadFile(root_.At("setup"));
    bytes[13 + 14] ^= 0x20;  // the first letter of the payload's name: the checksum tells
    test::WriteFile(root_.At("bad"), bytes);
    EXPECT_FALSE(PayloadContainer::Open(root_.At("bad")));
    test::WriteFile(root_.At("cut"), bytes.substr(0, bytes.size() - 1));
    EXPECT_FALSE(PayloadContainer::Open(root_.At("cut")));
    EXPECT_FALSE(
        BuildPayloadExecutable(program, {{"data", root_.At("missing")}}, root_.At("out"), error));
    EXPECT_FALSE(std::filesystem::exists(root_.At("out")));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

TEST_F(Container, TheCarriedProgramsVersionIsNeverTakenForTheSetups) {
    const std::string program = Write("program", std::string(4096, 'p'));
    const std::string carried = Write("Tavo", "x" + VersionRecordBytes((2026u << 16) | 12u));
    std::string error;
    ASSERT_TRUE(BuildPayloadExecutable(program, {{"data", carried}}, root_.At("setup"), error));
    const std::string setup = root_.At("setup");
    EXPECT_TRUE(platform::ReadFileVersion(setup));  // the record is in the file ...
    EXPECT_FALSE(platform::ReadFileVersion(setup, ProgramPartSize(setup)));  // ... not ours
}

}  // namespace
}  // namespace tavo
