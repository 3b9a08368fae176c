#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "foundation/stream.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo::test {

// Block tests run with fresh foundation state, a private root and the scripted prompt
// handler, which fails the test for any notice nobody expected.
class BlockTest : public testing::Test {
  protected:
    void SetUp() override { ResetFoundationState(); }
    void TearDown() override { ResetFoundationState(); }

    std::string LogText() const { return AppInfo.LogBuffer.value_or(""); }
    bool Logged(const std::string& line) const {
        return LogText().find(line + "\r\n") != std::string::npos;
    }

    TempRoot root_;
    ScriptedPrompts prompts_;
};

inline std::string Bytes(const TMemoryStream& s) {
    return std::string(s.View());
}

inline void PutLe(std::string& bytes, std::size_t at, std::uint64_t value, int size) {
    for (int k = 0; k < size; ++k, value >>= 8) bytes[at + k] = static_cast<char>(value & 0xFF);
}

inline std::uint64_t GetLe(const std::string& bytes, std::size_t at, int size) {
    std::uint64_t v = 0;
    for (int k = size - 1; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(bytes[at + k]);
    return v;
}

}  // namespace tavo::test
