#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "foundation/app_info.h"
#include "foundation/text.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

class NumberText : public ::testing::Test {
  protected:
    void SetUp() override { test::ResetFoundationState(); }
    static void UseSeparators(const char* decimal, const char* thousands) {
        Separators = CapturedSeparators{decimal, thousands, "."};
    }
};

TEST_F(NumberText, ZeroPaddedFillsDigitsToTheWidth) {
    const struct {
        std::int64_t number;
        int width;
        const char* expected;
    } cases[] = {
        {5, 3, "005"}, {1234, 2, "1234"}, {0, 0, "0"},
        {7, -1, "7"},  {-5, 3, "-005"},   {kMin, 1, "-9223372036854775808"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZeroPadded(c.number, c.width), c.expected) << c.number << " " << c.width;
    EXPECT_EQ(IntText(kMin), "-9223372036854775808");
    EXPECT_EQ(IntText(42), "42");
}

TEST_F(NumberText, GroupedIntSeparatesThousandsWithoutCountingTheSign) {
    const struct {
        std::int64_t number;
        bool system;
        const char* thousands;
        const char* expected;
    } cases[] = {
        {1234567, true, ".", "1.234.567"},
        {999, true, ".", "999"},
        {1000, true, ".", "1.000"},
        {0, true, ".", "0"},
        {-1234, true, ".", "-1.234"},
        {-123456, true, ".", "-123.456"},  // the sign does not start a group
        {-999, true, ".", "-999"},
        {-1234, true, ",", "-1,234"},   // the system's separator
        {-1234, false, ",", "-1.234"},  // forced into the German form
        {1234567, false, "'", "1.234.567"},
        {1234567, true, "\xe2\x80\xaf",
         "1\xe2\x80\xaf"
         "234\xe2\x80\xaf"
         "567"},
        {1000, true, "", "1000"},  // a locale without grouping
        {kMin, false, ",", "-9.223.372.036.854.775.808"},
        {kMax, true, ".", "9.223.372.036.854.775.807"},
    };
    for (const auto& c : cases) {
        UseSeparators(",", c.thousands);
        EXPECT_EQ(GroupedInt(c.number, c.system), c.expected)
            << c.number << " system=" << c.system << " sep=" << c.thousands;
    }
}

TEST_F(NumberText, SizeTextSwitchesToMegabytesAtTenMillion) {
    const struct {
        std::int64_t bytes;
        const char* thousands;
        const char* expected;
    } cases[] = {
        {0, ".", "0 Byte"},
        {9999999, ".", "9.999.999 Byte"},
        {10000000, ".", "10 MByte"},
        {10999999, ".", "10 MByte"},  // whole millions
        {1234567890123, ".", "1.234.567 MByte"},
        {9999999, ",", "9,999,999 Byte"},
    };
    for (const auto& c : cases) {
        UseSeparators(",", c.thousands);
        EXPECT_EQ(SizeText(c.bytes), c.expected) << c.bytes;
    }
}

TEST_F(NumberText, IntOfReadsIntegersWithTheCapturedSeparators) {
    const struct {
        const char* decimal;
        const char* thousands;
        const char* text;
        bool comma;
        std::int64_t expected;
    } cases[] = {
        {",", ".", "2.3", false, 23},  // "." is a thousands separator here
        {",", ".", "2,7", false, 2},
        {",", ".", "abc", false, -1},
        {",", ".", "1.234,56", false, 1234},
        {",", ".", "-12", false, -12},
        {",", ".", "+12", false, 12},
        {",", ".", "", false, -1},
        {",", ".", "-", false, -1},
        {",", ".", "12 ", false, -1},
        {",", ".", "0x10", false, -1},
        {",", ".", "9223372036854775807", false, kMax},
        {",", ".", "9223372036854775808", false, -1},  // beyond 64 bits
        {",", ".", "-9223372036854775808", false, kMin},
        {",", ".", "-9223372036854775809", false, -1},
        {",", ".", "2,7", true, 2},
        {".", ",", "2.3", false, 2},  // where "." is the decimal mark
        {".", ",", "1,234", false, 1234},
        {".", ",", "2,7", true, 2},  // the flag cuts at "," whatever the system says
    };
    for (const auto& c : cases) {
        UseSeparators(c.decimal, c.thousands);
        EXPECT_EQ(IntOf(c.text, c.comma), c.expected)
            << c.text << " comma=" << c.comma << " decimal=" << c.decimal;
    }
}

}  // namespace
}  // namespace tavo
