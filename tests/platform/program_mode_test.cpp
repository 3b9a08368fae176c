// Which written files become runnable programs.
#include <sys/stat.h>

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/program_mode.h"
#include "tests/support/temp_root.h"

namespace tavo::platform {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(ProgramMode, OnlyProgramsGetExecuteBitsWhereTheyCanBeRead) {
    struct Case {
        std::string_view content;
        mode_t before, after;
    };
    const Case cases[] = {
        {"\x7f"
         "ELF\x02\x01",
         0644, 0755},
        {"#!/bin/sh\necho\n", 0600, 0700},
        {"[mysqld]\n", 0644, 0644},
        {"\x7f"
         "EL",
         0644, 0644},  // too short for the magic
        {"", 0644, 0644},
    };
    const test::TempRoot root;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.content));
        const std::string path = root.At("file");
        test::WriteFile(path, std::string(c.content));
        ASSERT_EQ(::chmod(path.c_str(), c.before), 0);
        EXPECT_TRUE(MarkProgramExecutable(path, Bytes(c.content)));
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after);
    }
    EXPECT_FALSE(MarkProgramExecutable(root.At("missing"), Bytes("#!")));
}

}  // namespace
}  // namespace tavo::platform
