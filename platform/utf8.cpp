#include "platform/utf8.h"

#include <locale.h>
#include <wctype.h>

namespace tavo::platform {
namespace {

// The C.UTF-8 locale carries the Unicode case mappings whatever the user's locale is.
locale_t Utf8Locale() {
    static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

char32_t FoldCodePoint(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    const locale_t locale = Utf8Locale();
    if (!locale) return c;
    // Lower case of the upper case maps the variant forms (long s, final sigma, capital
    // sharp s) onto one letter, as simple case folding does.
    const auto wide = static_cast<wint_t>(c);
    return static_cast<char32_t>(::towlower_l(::towupper_l(wide, locale), locale));
}

}  // namespace

char32_t NextCodePoint(std::string_view text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || lead >= 0xF8 || i + extra >= text.size()) return byte(i++);
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

std::string CaseFold(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const char32_t cp = NextCodePoint(text, i);
        // A stray byte stays exactly as it was.
        if (i == start + 1 && static_cast<unsigned char>(text[start]) >= 0x80)
            out += text[start];
        else
            AppendUtf8(out, FoldCodePoint(cp));
    }
    return out;
}

}  // namespace tavo::platform
