// The client library the setup carries, loaded as the setup loads it.
#include <dlfcn.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace tavo {
namespace {

struct CloseLibrary {
    void operator()(void* handle) const { ::dlclose(handle); }
};

TEST(LibmysqlPayload, RemovesEscapingBackslashesAndKeepsWhatTheyEscape) {
    const std::unique_ptr<void, CloseLibrary> library(
        ::dlopen(TAVO_LIBMYSQL, RTLD_NOW | RTLD_LOCAL));
    ASSERT_NE(library, nullptr) << ::dlerror();
    using RemoveEscape = void (*)(void*, char*);
    const auto remove =
        reinterpret_cast<RemoveEscape>(::dlsym(library.get(), "myodbc_remove_escape"));
    ASSERT_NE(remove, nullptr);
    EXPECT_NE(::dlsym(library.get(), "mysql_real_connect"), nullptr);
    EXPECT_EQ(::dlsym(library.get(), "ma_net_init"), nullptr) << "internals stay local";

    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"plain", "plain"},
        {"a\\_b", "a_b"},
        {"\\%100", "%100"},
        {"back\\\\slash", "back\\slash"},
        {"end\\", "end\\"},
        {"", ""},
        {"Gr\xC3\xB6\\_sse", "Gr\xC3\xB6_sse"},
    };
    for (const auto& c : cases) {
        std::string name = c.in;
        remove(nullptr, name.data());
        EXPECT_STREQ(name.c_str(), c.out) << c.in;
    }
    remove(nullptr, nullptr);  // no name, no crash
}

}  // namespace
}  // namespace tavo
