#include "foundation/text.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/utf8.h"

namespace tavo {
namespace {

TEST(SplitOff, TakesThePartBeforeTheFirstSeparator) {
    const struct {
        const char* text;
        const char* separator;
        bool keep;
        const char* head;
        const char* rest;
    } cases[] = {
        {"a;b;c", ";", false, "a", "b;c"},
        {"a;b;c", ";", true, "a;", "b;c"},
        {"a::b::c", "::", false, "a", "b::c"},
        {";b", ";", false, "", "b"},
        {"abc", ";", false, "abc", ""},  // no separator: everything, nothing left
        {"abc", ";", true, "abc", ""},
        {"abc", "", false, "abc", ""},  // an empty separator never matches
        {"", ";", false, "", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(SplitOff(text, c.separator, c.keep), c.head) << c.text << " " << c.separator;
        EXPECT_EQ(text, c.rest) << c.text << " " << c.separator;
    }
}

TEST(CountOfAndPosOf, CountNonOverlappingAndPositionInCharacters) {
    const struct {
        const char* part;
        const char* text;
        int count;
        int pos;
    } cases[] = {
        {"aa", "aaaa", 2, 1},
        {"aa", "aaa", 1, 1},
        {"b", "abcb", 2, 2},
        {"z", "abc", 0, -1},
        {"", "abc", 0, -1},
        {"a", "", 0, -1},
        {"c", "äöc", 1, 3},  // "ä" and "ö" are one
                             // character each
        {"ö", "äöö", 2, 2},
        {"abc", "abc", 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CountOf(c.part, c.text), c.count) << c.part << " in " << c.text;
        EXPECT_EQ(PosOf(c.part, c.text), c.pos) << c.part << " in " << c.text;
    }
}

TEST(ContainsText, ComparesUpperCased) {
    EXPECT_TRUE(ContainsText("GRÖ", "die größe"));
    EXPECT_TRUE(ContainsText("über", "ÜBERALL"));
    EXPECT_TRUE(ContainsText("ŁÓDŹ", "in łódź"));
    EXPECT_FALSE(ContainsText("xyz", "abc"));
    EXPECT_FALSE(ContainsText("", "abc"));
    EXPECT_FALSE(ContainsText("abcd", "abc"));
}

TEST(StartsAndEndsWith, ExactAndLowerCasedForms) {
    const struct {
        const char* text;
        const char* part;
        bool starts, ends, startsCI, endsCI;
    } cases[] = {
        {"Abc", "A", true, false, true, false},
        {"Abc", "a", false, false, true, false},
        {"Abc", "C", false, false, false, true},
        {"Abc", "bc", false, true, false, true},
        {"Abc", "", true, true, true, true},
        {"A", "Abc", false, false, false, false},
        {"Ärger.EXE", "ä", false, false, true, false},
        {"Ärger.EXE", ".exe", false, false, false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartsWith(c.text, c.part), c.starts) << c.text << " " << c.part;
        EXPECT_EQ(EndsWith(c.text, c.part), c.ends) << c.text << " " << c.part;
        EXPECT_EQ(StartsWithCI(c.text, c.part), c.startsCI) << c.text << " " << c.part;
        EXPECT_EQ(EndsWithCI(c.text, c.part), c.endsCI) << c.text << " " << c.part;
    }
}

TEST(ReplaceAll, ReplacesEveryOccurrenceOnce) {
    const struct {
        const char* text;
        const char* old;
        const char* replacement;
        const char* exact;
        const char* anyCase;
    } cases[] = {
        {"aaa", "a", "aa", "aaaaaa", "aaaaaa"},  // inserted text is not searched again
        {"a.b.c", ".", "", "abc", "abc"},
        {"abc", "", "x", "abc", "abc"},  // nothing happens for an empty old
        {"xyz", "q", "r", "xyz", "xyz"},
        {"Pfad PFAD pfad", "pfad", "P", "Pfad PFAD P", "P P P"},
        {"Größe GRÖSSE größe", "GRÖßE", "X", "Größe GRÖSSE größe", "X GRÖSSE X"},
        {"ÄÖÜ äöü", "äöü", "-", "ÄÖÜ -", "- -"},
        {"\xff"
         "A\xff",
         "a", "b",
         "\xff"
         "A\xff",
         "\xff"
         "b\xff"},  // stray bytes are kept
    };
    for (const auto& c : cases) {
        std::string exact = c.text;
        ReplaceAll(exact, c.old, c.replacement);
        EXPECT_EQ(exact, c.exact) << c.text;
        std::string anyCase = c.text;
        ReplaceAllCI(anyCase, c.old, c.replacement);
        EXPECT_EQ(anyCase, c.anyCase) << c.text;
    }
}

TEST(PadText, FillsAColumnOfCharacters) {
    const struct {
        const char* text;
        int width;
        const char* expected;
    } cases[] = {
        {"Startzeit", 16, "Startzeit       "},
        {"abc", 3, "abc"},
        {"  ab  ", 6, "  ab  "},  // exactly as long: unchanged, blanks included
        {" ab", 5, "ab   "},      // otherwise trimmed first
        {"abc", -5, "  abc"},
        {"abcdef", 3, "abc"},
        {"abcdef", -3, "abc"},
        {"abc", 0, ""},
        {"", 2, "  "},
        {"Größe", 7, "Größe  "},  // width in characters, not bytes
        {"Größe", -6, " Größe"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PadText(c.text, c.width), c.expected) << c.text << " " << c.width;
}

TEST(ShortenText, CutsLongTextsToNCharacters) {
    const std::string long1500(1500, 'x');
    const std::string shortened = ShortenText(long1500, 1000);
    EXPECT_EQ(shortened, std::string(997, 'x') + "...");

    const struct {
        const char* text;
        int n;
        const char* expected;
    } cases[] = {
        {"abc", 3, "abc"},   {"abcd", 3, "..."}, {"äöüßx", 4, "ä..."},
        {"äöüß", 4, "äöüß"}, {"", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortenText(c.text, c.n), c.expected) << c.text << " " << c.n;
}

TEST(JoinIfBoth, JoinsOnlyWhenEveryPartHasText) {
    EXPECT_EQ(JoinIfBoth("a", "b"), "ab");
    EXPECT_EQ(JoinIfBoth("", "b"), "");
    EXPECT_EQ(JoinIfBoth("a", ""), "");
    EXPECT_EQ(JoinIfBoth("[", "tag", "] "), "[tag] ");
    EXPECT_EQ(JoinIfBoth("[", "", "] "), "");
    EXPECT_EQ(JoinIfBoth("", "tag", "] "), "");
}

TEST(AppendUnique, AppendsOnlyNewWholeEntries) {
    const struct {
        const char* list;
        const char* item;
        bool appended;
        const char* after;
    } cases[] = {
        {"a;b", "b", false, "a;b"},    {"a;b", "a", false, "a;b"}, {"a;b", "c", true, "a;b;c"},
        {"", "a", true, "a"},          {"ab", "a", true, "ab;a"},  // part of an entry is no entry
        {"ab;b", "ab", false, "ab;b"},
    };
    for (const auto& c : cases) {
        std::string list = c.list;
        EXPECT_EQ(AppendUnique(list, c.item, ";"), c.appended) << c.list << " + " << c.item;
        EXPECT_EQ(list, c.after) << c.list << " + " << c.item;
    }
}

TEST(OnlyCharsOf, AcceptsOnlyTheGivenCharacters) {
    EXPECT_TRUE(OnlyCharsOf("123", "0123456789"));
    EXPECT_FALSE(OnlyCharsOf("12a", "0123456789"));
    EXPECT_TRUE(OnlyCharsOf("", "x"));
    EXPECT_TRUE(OnlyCharsOf("äöü", "üöä"));
    EXPECT_FALSE(OnlyCharsOf("äx", "ä"));
    EXPECT_FALSE(OnlyCharsOf("\xc3", "\xc3\xa4"));  // a stray byte is not part of "ä"
    EXPECT_TRUE(OnlyDigits("0815"));
    EXPECT_TRUE(OnlyDigits(""));
    EXPECT_FALSE(OnlyDigits("-1"));
}

TEST(YesNoText, GivesGermanWordsOrDigits) {
    EXPECT_EQ(YesNoText(true), "Ja");
    EXPECT_EQ(YesNoText(false), "Nein");
    EXPECT_EQ(OneZeroText(true), "1");
    EXPECT_EQ(OneZeroText(false), "0");
}

TEST(TitleCase, UpperCasesTheFirstCharacterAndAfterSeparators) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"  hallo welt  ", "Hallo Welt"},
        {"tavo-setup(test):a&b.c#d,e", "Tavo-Setup(Test):A&B.C#D,E"},
        {"über äpfel", "Über Äpfel"},
        {"mIxED", "MIxED"},  // the others stay as they are
        {"a_b", "A_b"},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(TitleCase(c.text), c.expected) << c.text;
}

TEST(CaseMapping, MapsGermanAndLatinLetters) {
    EXPECT_EQ(UpperCase("größe äöü"), "GRÖßE ÄÖÜ");  // ß has no single upper-case letter
    EXPECT_EQ(LowerCase("ÄÖÜ ŁÓDŹ Ÿ"), "äöü łódź ÿ");
    EXPECT_EQ(UpperCase("łódź ÿ"), "ŁÓDŹ Ÿ");
    EXPECT_EQ(UpperCase("a\xff"
                        "b"),
              "A\xff"
              "B");  // stray bytes pass unchanged
    EXPECT_EQ(LowerCase("\xc3"), "\xc3");
}

TEST(PlainForms, CutRepeatTrimAndChoose) {
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(FirstChars("Größe", 3), "Grö");
    EXPECT_EQ(FirstChars("ab", 5), "ab");
    EXPECT_EQ(FirstChars("ab", 0), "");
    EXPECT_EQ(FirstChars("ab", -1), "");
    EXPECT_EQ(LastChars("Größe", 2), "ße");
    EXPECT_EQ(LastChars("ab", 5), "ab");
    EXPECT_EQ(LastChars("ab", 0), "");
    EXPECT_EQ(TextFrom("Größe", 3), "öße");
    EXPECT_EQ(TextFrom("Größe", 1), "Größe");
    EXPECT_EQ(TextFrom("Größe", 0), "Größe");
    EXPECT_EQ(TextFrom("Größe", 9), "");
    EXPECT_EQ(RepeatText("ab", 3), "ababab");
    EXPECT_EQ(RepeatText("ab", 0), "");
    EXPECT_EQ(RepeatText("ab", -2), "");
    EXPECT_EQ(Choose(true, "a", "b"), "a");
    EXPECT_EQ(Choose(false, "a", "b"), "b");
    EXPECT_EQ(Choose(false, std::int64_t{1}, std::int64_t{2}), 2);
    EXPECT_EQ(CharCount("Größe\xff"), 6u);
}

TEST(UrlEncodeValue, WritesTheTableCodesOfEveryListedCharacter) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"ÀÃÄÖÜßäèéêöúûü§²³µ", "%C0%C3%C4%D6%DC%DF%E4%E8%E9%EA%F6%FA%FB%FC%A7%B2%B3%B5"},
        {"a/b&c d", "a%2Fb%26c+d"},
        {"\x01\x0e\x0f", "%01%0E%0F"},
        {"Zürich-Süd_1", "Z%FCrich-S%FCd_1"},
        {"ok\xff", "ok%FF"},  // a stray byte cannot travel raw
        {"a\x7f", "a%7F"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(UrlEncodeValue(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace tavo
