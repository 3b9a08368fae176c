#include "foundation/cp1252.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

TEST(Cp1252, ConvertsTheNamesOfBlocksBothWays) {
    const struct {
        const char* utf8;
        const char* cp1252;
    } cases[] = {
        {"", ""},
        {"bin\\mysqld.exe", "bin\\mysqld.exe"},
        {"Größe",
         "Gr\xF6\xDF"
         "e"},
        {"€ – “x” …", "\x80 \x96 \x93x\x94 \x85"},
        {"Ÿž", "\x9F\x9E"},
        {"\xC2\x81\xC2\x9D", "\x81\x9D"},  // the undefined bytes stand for C1 controls
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToCp1252(c.utf8), std::optional<std::string>(c.cp1252)) << c.utf8;
        EXPECT_EQ(FromCp1252(c.cp1252), c.utf8) << c.utf8;
    }
}

TEST(Cp1252, RefusesWhatTheCodePageCannotHold) {
    const char* cases[] = {
        "Łódź",          // Polish letters are not in the code page
        "日本",          //
        "\xE2\x82",      // cut-off sequence
        "\xC0\xAF",      // overlong form
        "\xED\xA0\x80",  // surrogate
        "a\xFF"
        "b",         // not UTF-8 at all
        "\xC2\x80",  // U+0080 has no byte (0x80 is the euro sign)
    };
    for (const char* text : cases) EXPECT_FALSE(ToCp1252(text).has_value()) << text;
}

TEST(Cp1252, EveryByteSurvivesTheWayThereAndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(ToCp1252(FromCp1252(all)), std::optional<std::string>(all));
}

}  // namespace
}  // namespace tavo
