#include "foundation/cp1252.h"

#include <array>

#include "foundation/utf8.h"

namespace tavo {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighBlock.size(); ++i)
        if (kHighBlock[i] == cp) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Char c = DecodeUtf8(utf8, i);
        if (!c.valid) return std::nullopt;
        const auto byte = ByteOf(c.code);
        if (!byte) return std::nullopt;
        out += *byte;
        i += c.size;
    }
    return out;
}

std::string FromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? char32_t{kHighBlock[b - 0x80]} : char32_t{b});
    }
    return out;
}

}  // namespace tavo
