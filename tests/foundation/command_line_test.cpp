#include "foundation/command_line.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

TEST(GetSwitchValue, ReadsSwitchesAsTheSetupSeesThem) {
    const struct {
        const char* cmdline;
        const char* name;
        const char* value;
    } cases[] = {
        {"/uninstall", "uninstall", "true"},
        {"/UnInstall", "uninstall", "true"},  // names compare in any case
        {"/uninstall", "UNINSTALL", "true"},
        {"/uninstall", "/uninstall", "true"},                        // the slash may be given
        {"\"/tmp/a b/tavosetup\" /uninstall", "uninstall", "true"},  // quoted program path
        {"/restart:/tmp/x", "restart", "/tmp/x"},
        {"/restart:\"/tmp/a b/tavosetup\"", "restart", "/tmp/a b/tavosetup"},
        {"/restart:/tmp/a b/tavosetup", "restart", "/tmp/a"},  // unquoted value ends at a space
        {"/restart:", "restart", "true"},                      // nothing behind ":"
        {"/restart:\"\"", "restart", ""},  // an empty quoted value counts as absent
        {"/restart:/Tmp/CaseKept", "RESTART", "/Tmp/CaseKept"},  // values keep their case
        {"restart:/tmp/x /uninstall", "restart", "/tmp/x"},      // a switch without its slash
        {"restart", "restart", "true"},
        {"-uninstall", "uninstall", ""},  // only "/" introduces a switch
        {"/secondrun /uninstall", "uninstall", "true"},
        {"/uninstall /secondrun", "secondrun", "true"},
        {"plain /uninstall", "uninstall", "true"},  // a plain word is passed over
        {"\"a quoted word\" /L", "l", "true"},
        {"/uninstalled", "uninstall", ""},  // the whole name must match
        {"/a:1 /b:2", "b", "2"},
        {"a/b /uninstall", "uninstall", ""},  // the rest is one plain argument
        {"", "uninstall", ""},
        {"   /uninstall   ", "uninstall", "true"},
        {"/nologbuffer\"x\"", "nologbuffer", "true"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetSwitchValue(c.name, std::string(c.cmdline)), c.value)
            << c.cmdline << " / " << c.name;
}

TEST(GetSwitchValue, EmptyNameGivesTheFirstPlainArgument) {
    EXPECT_EQ(GetSwitchValue("", std::string("first second")), "first");
    EXPECT_EQ(GetSwitchValue("", std::string("\"a b\" c")), "a b");
    EXPECT_EQ(GetSwitchValue("", std::string("/x word")), "word");
}

TEST(HasSwitch, IsTrueOnlyForANonEmptyValue) {
    EXPECT_TRUE(HasSwitch("uninstall", std::string("/UNINSTALL")));
    EXPECT_FALSE(HasSwitch("restart", std::string("/restart:\"\"")));
    EXPECT_FALSE(HasSwitch("uninstall", std::string("/secondrun")));
}

TEST(WithoutProgramPath, DropsTheProgramAsWindowsDoes) {
    const struct {
        const char* cmdline;
        const char* params;
    } cases[] = {
        {"\"/opt/my setup/tavosetup\" /uninstall", "/uninstall"},
        {"/usr/bin/tavosetup   /uninstall  /L ", "/uninstall  /L"},
        {"tavosetup", ""},
        {"\"/a b/tavosetup\"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(WithoutProgramPath(c.cmdline), c.params) << c.cmdline;
}

TEST(RemoveLogSwitch, RemovesOnlyTheWholeSwitch) {
    const struct {
        const char* params;
        const char* result;
    } cases[] = {
        {"/L", ""},
        {"/l /uninstall", "/uninstall"},
        {"/uninstall /L", "/uninstall"},
        {"/uninstall /L /secondrun", "/uninstall /secondrun"},
        {"/Lib /x", "/Lib /x"},
        {"/restart:\"/tmp/ /L x\" /L", "/restart:\"/tmp/ /L x\""},  // quoted text is kept
        {"/restart:\"/a  b\"", "/restart:\"/a  b\""},               // spaces inside are kept
    };
    for (const auto& c : cases) EXPECT_EQ(RemoveLogSwitch(c.params), c.result) << c.params;
}

}  // namespace
}  // namespace tavo
