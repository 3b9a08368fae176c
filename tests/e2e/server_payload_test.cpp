// The database server the setup carries: extracted from the built setup, it starts from its
// own folder and lets the administrator in over TCP without a password.
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "db/client_library.h"
#include "payload/payload_frames.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

// The server refuses to run as root; under root the tree goes to an unprivileged account.
std::vector<std::string> AccountArguments(const std::string& root, const std::string& tree) {
    if (::geteuid() != 0) return {};
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody) return {};
    fs::permissions(root, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    for (const auto& item : fs::recursive_directory_iterator(tree))
        ::lchown(item.path().c_str(), nobody->pw_uid, nobody->pw_gid);
    ::chown(tree.c_str(), nobody->pw_uid, nobody->pw_gid);
    return {"--user=nobody"};
}

pid_t StartServer(const std::string& tree, std::vector<std::string> args) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(tree.c_str()) != 0) ::_exit(126);
        const std::string program = tree + "bin/mysqld";
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

// Connects as root without a password, retrying while the server comes up; gives up when
// the server has ended.
bool ConnectAsRoot(pid_t server, int port, std::string& version, int& exitCode) {
    const auto& api = ClientLibraryEntries();
    for (int attempt = 0; attempt < 300; ++attempt) {
        if ((exitCode = test::WaitForExit(server, 0ms)) != -1) return false;
        MYSQL* mysql = api.mysql_init(nullptr);
        const bool connected = api.mysql_real_connect(mysql, "127.0.0.1", "root", "", nullptr,
                                                      static_cast<unsigned>(port), nullptr, 0);
        if (connected) version = api.mysql_get_server_info(mysql);
        api.mysql_close(mysql);
        if (connected) return true;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

TEST(ServerPayload, ExtractedServerStartsFromItsFolderAndAdmitsRoot) {
    test::TempRoot root;
    SetPayloadSourceFile(TAVO_SETUP_FILE);
    const std::string tree = root.At("MYSQL") + "/";
    {
        TFrame_Data_MySQL frame;
        ASSERT_TRUE(frame.Loaded());
        ASSERT_TRUE(frame.mysql.ExtractAll(tree));
    }
    SetPayloadSourceFile("");
    ASSERT_EQ(LoadClientLibrary(TAVO_LIBMYSQL), ClientLibraryStateCode::Ready);

    const int port = FreeLoopbackPort();
    ASSERT_NE(port, 0);
    std::vector<std::string> args{"--defaults-file=" + tree + "my.ini",
                                  "--port=" + std::to_string(port), "--bind-address=127.0.0.1",
                                  "--socket=" + tree + "data/test.sock",
                                  "--tmpdir=" + tree + "data"};
    for (auto& a : AccountArguments(root.path(), tree)) args.push_back(a);
    const pid_t server = StartServer(tree, args);
    ASSERT_GT(server, 0);

    std::string version;
    int code = -1;
    const bool connected = ConnectAsRoot(server, port, version, code);
    if (code == -1) {
        ::kill(server, SIGTERM);
        code = test::WaitForExit(server, 60s);
    }
    UnloadClientLibrary();

    EXPECT_TRUE(connected) << "root could not log in on port " << port;
    EXPECT_NE(version.find("MariaDB"), std::string::npos) << version;
    EXPECT_EQ(code, 0) << "the server did not stop cleanly on SIGTERM";
}

}  // namespace
}  // namespace tavo
