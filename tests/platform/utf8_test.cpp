#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace tavo::platform {
namespace {

TEST(CaseFold, FoldsLettersOfAllScriptsAndKeepsStrayBytes) {
    const struct {
        const char* a;
        const char* b;
    } same[] = {
        {"Tavo", "TAVO"},     {"Änderung", "äNDERUNG"},
        {"Straße", "STRAßE"}, {"ΣΟΦΙΑ", "σοφια"},
        {"Москва", "МОСКВА"}, {"ſ", "S"},
        {"ς", "Σ"},           {"ẞ", "ß"},
    };
    for (const auto& c : same) EXPECT_EQ(CaseFold(c.a), CaseFold(c.b)) << c.a << " " << c.b;
    EXPECT_NE(CaseFold("Straße"), CaseFold("STRASSE"));  // simple folding, not full
    EXPECT_EQ(CaseFold("A\xff"
                       "B"),
              "a\xff"
              "b");
    EXPECT_EQ(CaseFold("\xc3"), "\xc3");  // a cut-off sequence stays as it was
}

}  // namespace
}  // namespace tavo::platform
