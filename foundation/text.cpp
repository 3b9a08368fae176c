#include "foundation/text.h"

#include <string>

namespace tavo {
namespace {

// Decodes one UTF-8 sequence at text[i], advancing i; invalid bytes come back as they are.
char32_t NextCodePoint(std::string_view text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || i + extra >= text.size()) return byte(i++);
    char32_t cp = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return byte(i++);
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    i += extra + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t ToLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x138 && c != 0x149 && c != 0x17F) {
        // Latin Extended-A pairs letters as even/odd, shifted by one between 0x139 and 0x148
        // and from 0x179 on.
        const bool shifted = (c >= 0x139 && c <= 0x148) || c >= 0x179;
        if (shifted ? (c % 2 == 1) : (c % 2 == 0)) return c + 1;
    }
    return c;
}

char32_t ToUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        const bool shifted = (c >= 0x139 && c <= 0x148) || c >= 0x179;
        if (shifted ? (c % 2 == 0) : (c % 2 == 1)) return c - 1;
    }
    return c;
}

template <typename Map>
std::string MapCase(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) AppendUtf8(out, map(NextCodePoint(text, i)));
    return out;
}

}  // namespace

std::string UpperCase(std::string_view text) {
    return MapCase(text, ToUpper);
}
std::string LowerCase(std::string_view text) {
    return MapCase(text, ToLower);
}

bool StartsWithCI(std::string_view text, std::string_view part) {
    const std::string t = LowerCase(text);
    const std::string p = LowerCase(part);
    return t.compare(0, p.size(), p) == 0 && t.size() >= p.size();
}

std::string TitleCase(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::string out;
    bool upNext = true;
    for (size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        AppendUtf8(out, upNext ? ToUpper(c) : c);
        upNext = c < 0x80 &&
                 std::string_view("-():&.#, ").find(static_cast<char>(c)) != std::string_view::npos;
    }
    return out;
}

}  // namespace tavo
