#include "foundation/url_encode.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

TEST(UrlEncodeValue, EncodesByTheWindows1252Table) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"11.2345", "11.2345"},
        {"ä ö ü", "%E4+%F6+%FC"},
        {"Größe & Maß/x", "Gr%F6%DFe+%26+Ma%DF%2Fx"},
        {"'|´°", "%B4%A6%92%BA"},  // the codes written differ from the characters' own
        {"a\tb\rc", "a%09b%0Dc"},
        {"€ ~", "€+~"},                           // characters outside the table stay as they are
        {"100% + #1\x1f", "100%25+%2B+%231%1F"},  // would otherwise corrupt the value
    };
    for (const auto& c : cases) EXPECT_EQ(UrlEncodeValue(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace tavo
