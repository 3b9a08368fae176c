// tavopack as the build runs it: a separate program with files in and out.
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/payload/lzh_samples.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

struct RunResult {
    int exitCode = -1;
    std::string out, err;
};

std::string Quoted(const std::string& word) {
    std::string q = "'";
    for (const char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class TavopackTest : public testing::Test {
  protected:
    RunResult Run(const std::vector<std::string>& args) {
        std::string command = Quoted(TAVOPACK_PATH);
        for (const auto& a : args) command += " " + Quoted(a);
        command += " >" + Quoted(At("stdout")) + " 2>" + Quoted(At("stderr"));
        const int status = std::system(command.c_str());
        RunResult r;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = test::ReadFile(At("stdout"));
        r.err = test::ReadFile(At("stderr"));
        return r;
    }
    std::string At(const std::string& name) const { return root_.At(name); }

    test::TempRoot root_;
};

TEST_F(TavopackTest, PacksAbcIntoExactlyTheBlockOfTheFormat) {
    test::WriteFile(At("abc"), "abc");
    const RunResult r = Run({"block", "pack", At("abc"), At("abc.blk"), "--time", "0"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_EQ(test::ReadFile(At("abc.blk")),
              std::string("zarvek\x01\x00\x25\0\0\0\x03\0\0\0", 16) + std::string(12, '\0') +
                  std::string("\xD0\x98\x65\xCA\x00\xF6\xFB\xBD\xE0", 9));
}

TEST_F(TavopackTest, PacksInspectsAndUnpacksAFile) {
    const std::string content = test::SampleMixed(300'000);
    test::WriteFile(At("server.bin"), content);
    ASSERT_EQ(Run({"block", "pack", At("server.bin"), At("server.blk"), "--name", "bin\\Größe.dll",
                   "--time", "46000.5"})
                  .exitCode,
              0);
    const RunResult info = Run({"block", "info", At("server.blk")});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    const std::string size = std::to_string(std::filesystem::file_size(At("server.blk")));
    for (const std::string& line : std::vector<std::string>{
             "version: 1\n", "block length: " + size + "\n", "unpacked length: 300000\n",
             "time stamp: 46000.5 (2025-12-09 12:00:00)\n", "name: bin\\Größe.dll\n",
             "verified: yes\n"})
        EXPECT_NE(info.out.find(line), std::string::npos) << line << "in\n" << info.out;
    EXPECT_NE(info.out.find("checksum: 0x"), std::string::npos);

    const RunResult unpack = Run({"block", "unpack", At("server.blk"), At("server.out")});
    EXPECT_EQ(unpack.exitCode, 0) << unpack.err;
    EXPECT_EQ(test::ReadFile(At("server.out")), content);
}

TEST_F(TavopackTest, FailsWithOneLineAndLeavesNoOutput) {
    test::WriteFile(At("text"), test::SampleText(20'000));
    ASSERT_EQ(Run({"block", "pack", At("text"), At("good.blk")}).exitCode, 0);
    std::string damaged = test::ReadFile(At("good.blk"));
    damaged[damaged.size() / 2] ^= 0x21;
    test::WriteFile(At("damaged.blk"), damaged);
    test::WriteFile(At("kept"), "older output");

    const struct {
        std::vector<std::string> args;
        const char* start;
        const char* output;  // a file that must not exist (or keep its content)
    } cases[] = {
        {{"block", "pack", At("missing"), At("out1")}, "tavopack: block pack: ", "out1"},
        {{"block", "pack", At("text"), At("out2"), "--name", "Łódź"},
         "tavopack: block pack: ",
         "out2"},
        {{"block", "pack", At("text"), At("out3"), "--time", "morgen"},
         "tavopack: block pack: ",
         "out3"},
        {{"block", "pack", At("text"), At("no/dir/out")}, "tavopack: block pack: ", nullptr},
        {{"block", "unpack", At("damaged.blk"), At("kept")}, "tavopack: block unpack: ", "kept"},
        {{"block", "unpack", At("text"), At("out4")},
         "tavopack: block unpack: error unpack.head",
         "out4"},
        {{"block", "info", At("text")}, "tavopack: block info: ", nullptr},
    };
    for (const auto& c : cases) {
        const RunResult r = Run(c.args);
        SCOPED_TRACE(c.args[1] + " " + c.args.back());
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.rfind(c.start, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        if (c.output && std::string(c.output) == "kept") {
            EXPECT_EQ(test::ReadFile(At("kept")), "older output");
        } else if (c.output) {
            EXPECT_FALSE(std::filesystem::exists(At(c.output)));
        }
    }
    const RunResult info = Run({"block", "info", At("damaged.blk")});
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_NE(info.out.find("verified: no\n"), std::string::npos) << info.out;
}

TEST_F(TavopackTest, ExplainsItsUseWhenCalledWrongly) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"archive"},
        {"block"},
        {"block", "pack", "only-in"},
        {"block", "pack", "a", "b", "--name"},
        {"block", "pack", "a", "b", "--level", "9"},
        {"block", "unpack", "a"},
        {"block", "info"},
        {"block", "info", "a", "b"},
    };
    for (const auto& args : wrong) {
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << args.size();
        EXPECT_EQ(r.err.rfind("usage: tavopack block pack", 0), 0u) << r.err;
    }
}

}  // namespace
}  // namespace tavo
