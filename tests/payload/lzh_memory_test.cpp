// The codec without memory for its tables. This program replaces the global allocation
// functions so that a test can refuse large blocks while small ones (texts, log lines) still
// succeed; it holds no other tests.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include <atomic>
#include <cstdlib>
#include <new>

#include "payload/binary_data.h"
#include "payload/block_stream.h"
#include "payload/lzh_codec.h"
#include "tests/payload/block_test_support.h"

namespace {

std::atomic<std::size_t> refuseFrom{0};  // 0: refuse nothing

}  // namespace

void* operator new(std::size_t size) {
    const std::size_t limit = refuseFrom.load();
    if (limit != 0 && size >= limit) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace tavo {
namespace {

// Refuses every allocation of 16 KB or more while it lives: the codec's tables, not the
// strings around them.
class NoRoomForTables {
  public:
    NoRoomForTables() { refuseFrom = 16 * 1024; }
    ~NoRoomForTables() { refuseFrom = 0; }
};

class LzhMemoryTest : public test::BlockTest {};

TEST_F(LzhMemoryTest, TheCodecRaisesItsOwnException) {
    TMemoryStream in(std::string_view("abc")), out;
    TMemoryStream stream(std::string_view("\xF6\xFB\xBD\xE0"));
    NoRoomForTables refusing;
    for (int run = 0; run < 2; ++run) {
        try {
            if (run == 0)
                LzhEncode(in, out);
            else
                LzhDecode(stream, out, 3);
            ADD_FAILURE() << "no exception in run " << run;
        } catch (const ElzhException& e) {
            EXPECT_STREQ(e.what(), "LZH: Nicht genug Speicher für Tabelle");
        }
    }
}

TEST_F(LzhMemoryTest, BlocksTurnItIntoAFailure) {
    TMemoryStream abc(std::string_view("abc")), block;
    ASSERT_TRUE(PackStream(abc, block, false, "", 0));
    // The checksum needs no memory of its own: both directions fail in the codec's tables.
    prompts_.Expect(test::ExpectedPrompt("LZH: Nicht genug Speicher für Tabelle", 0))
        .Expect(test::ExpectedPrompt("LZH: Nicht genug Speicher für Tabelle", 0));
    {
        NoRoomForTables refusing;
        TMemoryStream out;
        EXPECT_FALSE(UnpackStream(block, out, false));
        EXPECT_FALSE(PackStream(abc, out, false, "", 0));
    }
    EXPECT_TRUE(Logged("LZH: Nicht genug Speicher für Tabelle")) << LogText();
}

}  // namespace
}  // namespace tavo
