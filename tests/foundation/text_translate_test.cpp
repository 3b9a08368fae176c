#include <gtest/gtest.h>

#include "foundation/text.h"

namespace tavo {
namespace {

TEST(TranslateText, FillsPlaceholdersFromTheValuesBehindTheSeparator) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"Verzeichnis %a existiert|/opt/Tavo/", "Verzeichnis /opt/Tavo/ existiert"},
        {"%a von %b|eins|zwei", "eins von zwei"},
        {"%b vor %a|eins|zwei", "zwei vor eins"},
        {"%a und %a|x", "x und x"},                 // every occurrence
        {"Datei %a fehlt|", "Datei  fehlt"},        // one empty value
        {"Datei %a|", "Datei "},                    // placeholder and "|" gone
        {"%a, %b|eins|", "eins, %b"},               // trailing "|" adds no value
        {"%a, %b, %c|eins||drei", "eins, , drei"},  // an empty value in the middle
        {"%a und %b|%b|zwei", "zwei und zwei"},     // a value's "%b" is filled next
        {"%b und %a|%a|zwei", "zwei und %a"},       // an inserted "%a" stays
        {"%a %b %c|1|2", "1 2 %c"},                 // placeholders without a value stay
        {"Datei %a\x07/a\x07", "Datei /a"},         // character 7 separates the values
        {"A|B %a\x07x", "A|B x"},                   // a "|" before "%a" does not count
        {"%a\x07x|y", "y\x07x"},                    // a "|" after "%a" wins over 7
        {"%a|x\x07y", "x\x07y"},
        {"A|B %a", "A|B %a"},  // "|" before "%a", no 7 after it
        {"A\x07|B %a", "A\x07|B %a"},
        {"Datei %a fehlt", "Datei %a fehlt"},          // no separator at all
        {"Kein Platzhalter|x", "Kein Platzhalter|x"},  // no "%a"
        {"%b|x", "%b|x"},
        {"|", "|"},
        {"", ""},
        {"%", "%"},
        {"%a|Größe ä", "Größe ä"},
    };
    for (const auto& c : cases) EXPECT_EQ(TranslateText(c.text), c.expected) << c.text;
}

TEST(TranslateText, IgnoresTheContext) {
    EXPECT_EQ(TranslateText("%a. KW %b|1|2015", "kalenderwoche"), "1. KW 2015");
    EXPECT_EQ(TranslateText("Byte", "system"), "Byte");
    EXPECT_EQ(TranslateText("x", "zeit"), "x");
}

TEST(TranslateText, FillsUpToTheLetterZ) {
    std::string text;
    std::string values;
    std::string expected;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        text += std::string("%") + letter;
        values += std::string("|") + static_cast<char>(letter - 'a' + 'A');
        expected += static_cast<char>(letter - 'a' + 'A');
    }
    EXPECT_EQ(TranslateText(text + values + "|extra"), expected);
}

}  // namespace
}  // namespace tavo
