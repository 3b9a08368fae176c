#include "shell/client_library_file.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "db/client_library.h"
#include "foundation/app_info.h"
#include "foundation/stream.h"
#include "payload/block_stream.h"
#include "payload/payload_container.h"
#include "payload/payload_frames.h"
#include "shell/setup_state.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

// A setup file of the test's own that carries the given library as its client library.
class ClientLibraryFile : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        SetupState = {};
        AppInfo.TempDir = root_.At("tmp/");
        fs::create_directories(AppInfo.TempDir);
        UseCarriedLibrary(CLIENT_LIBRARY);
    }
    void TearDown() override {
        UnloadClientLibrary();
        SetPayloadSourceFile("");
    }
    void UseCarriedLibrary(const std::string& library) {
        const std::string block = root_.At("libmysql.block");
        {
            const auto source = TFileStream::Open(library, TFileStream::Mode::Read);
            const auto target = TFileStream::Open(block, TFileStream::Mode::Create);
            ASSERT_TRUE(source && target);
            ASSERT_TRUE(PackStream(*source, *target, false, "", 0));
        }
        test::WriteFile(root_.At("program"), "program");
        std::string error;
        ASSERT_TRUE(BuildPayloadExecutable(root_.At("program"), {{"libmySQL", block}},
                                           root_.At("setup"), error))
            << error;
        SetPayloadSourceFile(root_.At("setup"));
    }
    static std::string Log() { return AppInfo.LogBuffer.value_or(""); }

    test::TempRoot root_;
};

TEST_F(ClientLibraryFile, WritesTheCarriedLibraryWhenTheFileIsMissingOrStale) {
    for (const char* stale : {"", "kein Modul"}) {
        SCOPED_TRACE(stale);
        UnloadClientLibrary();
        SetupState.clientLibraryLoaded = false;
        const std::string path = ClientLibraryPath();
        if (*stale) test::WriteFile(path, stale);
        test::ScriptedPrompts prompts;  // no question
        EXPECT_TRUE(EnsureClientLibrary());
        EXPECT_TRUE(SetupState.clientLibraryLoaded);
        EXPECT_EQ(ClientLibraryState(), ClientLibraryStateCode::Ready);
        EXPECT_EQ(fs::file_size(path), fs::file_size(CLIENT_LIBRARY));
        fs::remove(path);
    }
}

TEST_F(ClientLibraryFile, KeepsAFileOfAnAcceptedSizeThatLoads) {
    const std::string path = ClientLibraryPath();
    fs::copy_file(CLIENT_LIBRARY, path);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    fs::last_write_time(path, old);
    test::ScriptedPrompts prompts;
    EXPECT_TRUE(EnsureClientLibrary());
    EXPECT_EQ(fs::last_write_time(path), old);  // not written again
    EXPECT_EQ(Log().find("myDeleteFileW:"), std::string::npos) << Log();
    // A second call does nothing more.
    UnloadClientLibrary();
    EXPECT_TRUE(EnsureClientLibrary());
    EXPECT_EQ(ClientLibraryState(), ClientLibraryStateCode::NotLoaded);
}

TEST_F(ClientLibraryFile, AnIncompleteLibraryIsFatal) {
    UseCarriedLibrary(SYSTEM_LIBRARY);
    test::ScriptedPrompts prompts;
    prompts.Expect("myodbc_remove_escape", 0);
    test::ExpectedPrompt fatal("Laden von " + ClientLibraryPath() +
                                   " nicht erfolgreich. Bitte von Hand löschen.\r\n\r\nEnde.",
                               0);
    prompts.Expect(fatal);
    EXPECT_FALSE(EnsureClientLibrary());
    EXPECT_FALSE(SetupState.clientLibraryLoaded);
    EXPECT_TRUE(Terminating);
}

TEST_F(ClientLibraryFile, ASetupWithoutTheLibraryCannotSaveIt) {
    SetPayloadSourceFile(root_.At("program"));
    test::ScriptedPrompts prompts;
    prompts.Expect("Konnte " + std::string("libmysql.so") + " nicht unter " + AppInfo.TempDir +
                       " speichern\r\n\r\nEnde.",
                   0);
    EXPECT_FALSE(EnsureClientLibrary());
    EXPECT_NE(
        Log().find("Konnte %a nicht unter %b speichern|libmysql.so|" + AppInfo.TempDir + " Ende."),
        std::string::npos)
        << Log();
}

}  // namespace
}  // namespace tavo
