#include "foundation/version_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "foundation/app_info.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

void Put16(std::string& out, size_t at, std::uint32_t value) {
    if (out.size() < at + 2) out.resize(at + 2, '\0');
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, size_t at, std::uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

// A minimal 32-bit Windows program file whose only section holds the resource tree
// RT_VERSION / 1 / German with a VS_VERSIONINFO block:
//   0x000 DOS header ("MZ", e_lfanew 0x40)   0x040 "PE\0\0", file header, optional header
//   0x138 section table (.rsrc)              0x1E0 a record with a wrong structure version
//   0x200 .rsrc (RVA 0x1000): three directory levels, the data entry, VS_VERSIONINFO
std::string PeWithVersion(std::uint16_t major, std::uint16_t minor, std::uint16_t release,
                          std::uint16_t build) {
    std::string pe(0x200, '\0');
    pe[0] = 'M';
    pe[1] = 'Z';
    Put32(pe, 0x3C, 0x40);
    pe.replace(0x40, 4, std::string("PE\0\0", 4));
    Put16(pe, 0x44, 0x014C);  // i386
    Put16(pe, 0x46, 1);       // one section
    Put16(pe, 0x54, 0xE0);    // size of the optional header
    Put16(pe, 0x56, 0x0102);  // executable, 32-bit
    const size_t opt = 0x58;
    Put16(pe, opt, 0x10B);                  // PE32
    Put32(pe, opt + 32, 0x1000);            // section alignment
    Put32(pe, opt + 36, 0x200);             // file alignment
    Put32(pe, opt + 56, 0x2000);            // size of image
    Put32(pe, opt + 60, 0x200);             // size of headers
    Put16(pe, opt + 68, 2);                 // GUI subsystem
    Put32(pe, opt + 92, 16);                // data directories
    Put32(pe, opt + 96 + 2 * 8, 0x1000);    // resource table RVA
    Put32(pe, opt + 96 + 2 * 8 + 4, 0xD8);  // and size
    const size_t section = opt + 0xE0;
    pe.replace(section, 5, ".rsrc");
    Put32(pe, section + 8, 0xD8);         // virtual size
    Put32(pe, section + 12, 0x1000);      // RVA
    Put32(pe, section + 16, 0x200);       // raw size
    Put32(pe, section + 20, 0x200);       // raw offset
    Put32(pe, section + 36, 0x40000040);  // initialised data, readable

    // A signature without the structure version must not count.
    Put32(pe, 0x1E0, 0xFEEF04BD);
    Put32(pe, 0x1E4, 0);
    Put32(pe, 0x1E8, (9u << 16) | 9u);

    std::string rsrc(0x200, '\0');
    const auto directory = [&rsrc](size_t at, std::uint32_t id, std::uint32_t target) {
        Put16(rsrc, at + 14, 1);  // one entry by id
        Put32(rsrc, at + 16, id);
        Put32(rsrc, at + 20, target);
    };
    directory(0x00, 16, 0x80000000u | 0x18);  // RT_VERSION
    directory(0x18, 1, 0x80000000u | 0x30);
    directory(0x30, 0x0407, 0x48);
    Put32(rsrc, 0x48, 0x1000 + 0x58);  // data RVA
    Put32(rsrc, 0x4C, 92);             // data size
    const size_t info = 0x58;
    Put16(rsrc, info, 92);      // wLength
    Put16(rsrc, info + 2, 52);  // wValueLength
    const std::string key = "VS_VERSION_INFO";
    for (size_t i = 0; i < key.size(); ++i) Put16(rsrc, info + 6 + 2 * i, key[i]);
    const size_t fixed = info + 40;  // after the key, its terminator and the padding
    const std::uint32_t ms = static_cast<std::uint32_t>(major) << 16 | minor;
    const std::uint32_t ls = static_cast<std::uint32_t>(release) << 16 | build;
    const std::uint32_t words[13] = {0xFEEF04BD, 0x00010000, ms, ls, ms, ls, 0x3F,
                                     0,          0x00040004, 1,  0,  0,  0};
    for (size_t i = 0; i < 13; ++i) Put32(rsrc, fixed + 4 * i, words[i]);
    return pe + rsrc;
}

class VersionText : public ::testing::Test {
  protected:
    void SetUp() override { test::ResetFoundationState(); }
    std::string Write(const std::string& name, const std::string& content) {
        const std::string path = root_.At(name);
        test::WriteFile(path, content);
        return path;
    }
    test::TempRoot root_;
};

TEST_F(VersionText, ReadsTheVersionOfTheSetupBuiltHere) {
    EXPECT_EQ(FileVersionText(TAVOSETUP_BINARY, true), "2026.12 (Build 1)");
    EXPECT_EQ(FileVersionText(TAVOSETUP_BINARY, false), "2026.12");
}

TEST_F(VersionText, ReadsTheVersionResourceOfAWindowsProgramFile) {
    const struct {
        std::uint16_t major, minor, release, build;
        const char* withBuild;
        const char* plain;
    } cases[] = {
        {3, 12, 2, 410, "3.12.2 (Build 410)", "3.12.2"},
        {5, 0, 0, 7, "5.0 (Build 7)", "5.0"},  // release 0 is left out
        {65535, 65535, 65535, 65535, "65535.65535.65535 (Build 65535)", "65535.65535.65535"},
    };
    for (const auto& c : cases) {
        const std::string path =
            Write("prog.exe", PeWithVersion(c.major, c.minor, c.release, c.build));
        EXPECT_EQ(FileVersionText(path, true), c.withBuild);
        EXPECT_EQ(FileVersionText(path, false), c.plain);
    }
}

TEST_F(VersionText, IsEmptyForAFileWithoutARecord) {
    EXPECT_EQ(FileVersionText(Write("readme.txt", std::string(5000, 'x')), true), "");
    EXPECT_EQ(FileVersionText(Write("empty", ""), true), "");
    EXPECT_EQ(FileVersionText(root_.At("missing.exe"), true), "");
    // A carried program behind the limit is not the file's own version.
    const std::string head(3000, 'x');
    const std::string path = Write("setup", head + PeWithVersion(1, 2, 3, 4));
    EXPECT_EQ(FileVersionText(path, true, head.size()), "");
    EXPECT_EQ(FileVersionText(path, true), "1.2.3 (Build 4)");
}

TEST_F(VersionText, ParsesTheFourNumbersOfAVersionText) {
    const struct {
        const char* text;
        VersionNumbers expected;
    } cases[] = {
        {"3.12.2 (Build 410)", {3, 12, 2, 410}},
        {"2026.12 (Build 1)", {2026, 12, 0, 1}},
        {"3.12.2", {3, 12, 2, 0}},
        {"2026.12", {2026, 12, 0, 0}},
        {"7", {7, 0, 0, 0}},
        {"?", {-1, 0, 0, 0}},  // not a number: -1, compared like any other
        {"a.b (Build c)", {-1, -1, 0, -1}},
    };
    for (const auto& c : cases) {
        const VersionNumbers v = ParseVersionText(c.text);
        EXPECT_EQ(v.major, c.expected.major) << c.text;
        EXPECT_EQ(v.minor, c.expected.minor) << c.text;
        EXPECT_EQ(v.release, c.expected.release) << c.text;
        EXPECT_EQ(v.build, c.expected.build) << c.text;
    }
}

TEST_F(VersionText, IsNewerVersionComparesNumbersTheSameWayUnderEverySeparator) {
    const struct {
        const char* a;
        const char* b;
        bool newer;
    } cases[] = {
        {"3.12.2 (Build 410)", "3.12.2 (Build 409)", true},
        {"3.12.2 (Build 410)", "3.12.2 (Build 410)", false},
        {"3.12.2 (Build 409)", "3.12.2 (Build 410)", false},
        {"3.12.2 (Build 410)", "3.12.1 (Build 500)", true},  // the release outranks the build
        {"3.12.2 (Build 410)", "3.13 (Build 1)", false},     // 12.2 is not read as 122
        {"3.13 (Build 1)", "3.12.2 (Build 410)", true},
        {"3.9.5 (Build 1)", "3.10 (Build 1)", false},
        {"2026.12 (Build 1)", "2026.9 (Build 7)", true},
        {"2027.1 (Build 1)", "2026.12 (Build 9)", true},
        {"3.12.2", "3.11.5", true},  // minor before release
        {"3.12.2", "3.12.10", false},
        {"2026.12 (Build 1)", "?", true},
        {"?", "2026.12 (Build 1)", false},
    };
    const CapturedSeparators systems[] = {{",", ".", "."}, {".", ",", "/"}};
    for (const CapturedSeparators& separators : systems) {
        Separators = separators;
        for (const auto& c : cases)
            EXPECT_EQ(IsNewerVersion(c.a, c.b), c.newer)
                << c.a << " vs " << c.b << " (decimal " << separators.decimal << ")";
    }
}

}  // namespace
}  // namespace tavo
