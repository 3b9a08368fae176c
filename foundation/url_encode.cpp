#include "foundation/url_encode.h"

#include <cstdio>

#include "foundation/utf8.h"

namespace tavo {
namespace {

// The characters the feedback address encodes, by their Windows-1252 code, and the code
// written for each (some deliberately differ from their own code).
struct Encoded {
    char32_t character;
    const char* code;
};
constexpr Encoded kTable[] = {
    {0xB4, "92"}, {'|', "A6"},  {0xA7, "A7"}, {0xB2, "B2"}, {0xB3, "B3"}, {'\'', "B4"},
    {0xB5, "B5"}, {0xB0, "BA"}, {0xC0, "C0"}, {0xC3, "C3"}, {0xC4, "C4"}, {0xD6, "D6"},
    {0xDC, "DC"}, {0xDF, "DF"}, {0xE4, "E4"}, {0xE8, "E8"}, {0xE9, "E9"}, {0xEA, "EA"},
    {0xF6, "F6"}, {0xFA, "FA"}, {0xFB, "FB"}, {0xFC, "FC"},
};

// The table's characters all lie where Windows-1252 and Unicode share their codes.
const char* CodeFor(char32_t c) {
    for (const Encoded& e : kTable)
        if (e.character == c) return e.code;
    return nullptr;
}

std::string Hex(unsigned value) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%%%02X", value & 0xFFu);
    return hex;
}

}  // namespace

std::string UrlEncodeValue(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Char c = DecodeUtf8(text, at);
        at += c.size;
        if (!c.valid) {
            // A stray byte is no URL character; its code travels instead.
            out += Hex(c.code);
            continue;
        }
        const char* code = CodeFor(c.code);
        if (code) {
            out += "%";
            out += code;
        } else if (c.code == ' ') {
            out += '+';
        } else if (c.code == '&') {
            out += "%26";
        } else if (c.code == '/') {
            out += "%2F";
        } else if (c.code == '%' || c.code == '+' || c.code == '#' || c.code < 32 ||
                   c.code == 0x7F) {
            // Left as they are, these would end or change the value on the server's side.
            out += Hex(c.code);
        } else {
            AppendUtf8(out, c.code);
        }
    }
    return out;
}

}  // namespace tavo
