#include "foundation/utf8.h"

#include "platform/utf8.h"

namespace tavo {

Utf8Char DecodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    const Utf8Char invalid{lead, 1, false};
    if (lead < 0x80) return {lead, 1, true};
    const std::size_t extra = lead >= 0xF8   ? 0
                              : lead >= 0xF0 ? 3
                              : lead >= 0xE0 ? 2
                              : lead >= 0xC2 ? 1
                                             : 0;
    if (extra == 0 || at + extra >= text.size()) return invalid;
    char32_t code = lead & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        if ((byte(at + k) & 0xC0) != 0x80) return invalid;
        code = (code << 6) | (byte(at + k) & 0x3F);
    }
    // Overlong forms and surrogates are not characters.
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return invalid;
    return {code, extra + 1, true};
}

void AppendUtf8(std::string& out, char32_t cp) {
    platform::AppendUtf8(out, cp);
}

void AppendChar(std::string& out, const Utf8Char& c) {
    if (c.valid)
        AppendUtf8(out, c.code);
    else
        out += static_cast<char>(c.code);
}

std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += DecodeUtf8(text, i).size) ++count;
    return count;
}

std::size_t ByteOffsetOfChar(std::string_view text, std::size_t n) {
    std::size_t at = 0;
    for (; n > 0 && at < text.size(); --n) at += DecodeUtf8(text, at).size;
    return at;
}

}  // namespace tavo
