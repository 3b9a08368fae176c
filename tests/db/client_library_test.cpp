#include "db/client_library.h"

#include <cstring>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

class ClientLibrary : public testing::Test {
  protected:
    void SetUp() override { test::ResetFoundationState(); }
    void TearDown() override { UnloadClientLibrary(); }
};

TEST_F(ClientLibrary, TheTableHasItsFiftyFourNamesInOrder) {
    std::size_t count = 0;
    const char* const* names = ClientLibraryEntryNames(&count);
    ASSERT_EQ(count, 54u);
    EXPECT_STREQ(names[0], "mysql_num_rows");
    EXPECT_STREQ(names[15], "mysql_init");
    EXPECT_STREQ(names[16], "mysql_change_user");
    EXPECT_STREQ(names[17], "mysql_real_connect");
    EXPECT_STREQ(names[50], "myodbc_remove_escape");
    EXPECT_STREQ(names[53], "mysql_thread_end");
}

TEST_F(ClientLibrary, ACompleteLibraryIsReadyWithoutANotice) {
    test::ScriptedPrompts prompts;  // any question would fail the test
    EXPECT_EQ(LoadClientLibrary(CARRIED_CLIENT_LIBRARY), ClientLibraryStateCode::Ready);
    const TClientLibraryEntries& e = ClientLibraryEntries();
    ASSERT_NE(e.mysql_get_client_info, nullptr);
    EXPECT_GT(std::strlen(e.mysql_get_client_info()), 0u);
    char name[] = "a\\_b";
    e.myodbc_remove_escape(nullptr, name);
    EXPECT_STREQ(name, "a_b");
}

TEST_F(ClientLibrary, TheSystemLibraryLacksOneNameAndSaysWhich) {
    test::ScriptedPrompts prompts;
    prompts.Expect("myodbc_remove_escape", 0);
    EXPECT_EQ(LoadClientLibrary("libmariadb.so.3"), ClientLibraryStateCode::Incomplete);
    EXPECT_EQ(prompts.Pending(), 0u);
    const TClientLibraryEntries& e = ClientLibraryEntries();
    EXPECT_EQ(e.myodbc_remove_escape, nullptr);
    EXPECT_NE(e.mysql_real_connect, nullptr);
    EXPECT_NE(e.mysql_thread_end, nullptr);
    EXPECT_EQ(ClientLibraryState(), ClientLibraryStateCode::Incomplete);
}

TEST_F(ClientLibrary, AMissingFileIsNotFoundAndLoadingAgainForgetsTheFirst) {
    const test::TempRoot root;
    test::ScriptedPrompts prompts;
    ASSERT_EQ(LoadClientLibrary(CARRIED_CLIENT_LIBRARY), ClientLibraryStateCode::Ready);
    EXPECT_EQ(LoadClientLibrary(root.At("libmysql.so")), ClientLibraryStateCode::NotFound);
    EXPECT_EQ(ClientLibraryEntries().mysql_init, nullptr);
    UnloadClientLibrary();
    EXPECT_EQ(ClientLibraryState(), ClientLibraryStateCode::NotLoaded);
}

}  // namespace
}  // namespace tavo
