#include "foundation/text.h"

#include <utility>

#include "foundation/utf8.h"

namespace tavo {
namespace {

char32_t ToLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x178) return 0xFF;
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
    for (size_t i = 0; i < text.size();) {
        Utf8Char c = DecodeUtf8(text, i);
        i += c.size;
        if (c.valid) c.code = map(c.code);
        AppendChar(out, c);
    }
    return out;
}

// Byte length of the match of part at text[at], both lower-cased character by character;
// npos when it does not match there.
size_t FoldedMatchAt(std::string_view text, size_t at, std::string_view part) {
    size_t t = at;
    for (size_t p = 0; p < part.size();) {
        if (t >= text.size()) return std::string_view::npos;
        const Utf8Char a = DecodeUtf8(text, t);
        const Utf8Char b = DecodeUtf8(part, p);
        if (a.valid != b.valid || ToLower(a.code) != ToLower(b.code)) return std::string_view::npos;
        t += a.size;
        p += b.size;
    }
    return t - at;
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string UpperCase(std::string_view text) {
    return MapCase(text, ToUpper);
}
std::string LowerCase(std::string_view text) {
    return MapCase(text, ToLower);
}

std::string TitleCase(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string out;
    out.reserve(trimmed.size());
    bool upNext = true;
    for (size_t i = 0; i < trimmed.size();) {
        Utf8Char c = DecodeUtf8(trimmed, i);
        i += c.size;
        if (upNext && c.valid) c.code = ToUpper(c.code);
        AppendChar(out, c);
        upNext = c.code < 0x80 && std::string_view("-():&.#, ").find(static_cast<char>(c.code)) !=
                                      std::string_view::npos;
    }
    return out;
}

std::string Trim(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlankOrControl(text[begin])) ++begin;
    while (end > begin && IsBlankOrControl(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string FirstChars(std::string_view text, int n) {
    if (n <= 0) return {};
    return std::string(text.substr(0, ByteOffsetOfChar(text, static_cast<size_t>(n))));
}

std::string LastChars(std::string_view text, int n) {
    if (n <= 0) return {};
    const size_t count = CharCount(text);
    if (static_cast<size_t>(n) >= count) return std::string(text);
    return std::string(text.substr(ByteOffsetOfChar(text, count - static_cast<size_t>(n))));
}

std::string TextFrom(std::string_view text, int n) {
    if (n <= 1) return std::string(text);
    return std::string(text.substr(ByteOffsetOfChar(text, static_cast<size_t>(n - 1))));
}

std::string RepeatText(std::string_view text, int n) {
    std::string out;
    if (n <= 0) return out;
    out.reserve(text.size() * static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) out += text;
    return out;
}

std::string Choose(bool flag, std::string_view whenTrue, std::string_view whenFalse) {
    return std::string(flag ? whenTrue : whenFalse);
}
std::int64_t Choose(bool flag, std::int64_t whenTrue, std::int64_t whenFalse) {
    return flag ? whenTrue : whenFalse;
}

std::string SplitOff(std::string& text, std::string_view separator, bool keepSeparator) {
    const size_t at = separator.empty() ? std::string::npos : text.find(separator);
    if (at == std::string::npos) return std::exchange(text, std::string());
    std::string head = text.substr(0, keepSeparator ? at + separator.size() : at);
    text.erase(0, at + separator.size());
    return head;
}

int CountOf(std::string_view part, std::string_view text) {
    if (part.empty() || text.empty()) return 0;
    int count = 0;
    for (size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size()))
        ++count;
    return count;
}

int PosOf(std::string_view part, std::string_view text) {
    if (part.empty() || text.empty()) return -1;
    const size_t at = text.find(part);
    if (at == std::string_view::npos) return -1;
    return static_cast<int>(CharCount(text.substr(0, at))) + 1;
}

bool ContainsText(std::string_view part, std::string_view text) {
    return !part.empty() && UpperCase(text).find(UpperCase(part)) != std::string::npos;
}

bool StartsWith(std::string_view text, std::string_view part) {
    return text.starts_with(part);
}
bool EndsWith(std::string_view text, std::string_view part) {
    return text.ends_with(part);
}
bool StartsWithCI(std::string_view text, std::string_view part) {
    return LowerCase(text).starts_with(LowerCase(part));
}
bool EndsWithCI(std::string_view text, std::string_view part) {
    return LowerCase(text).ends_with(LowerCase(part));
}

void ReplaceAll(std::string& text, std::string_view old, std::string_view replacement) {
    if (old.empty()) return;
    std::string out;
    size_t from = 0;
    for (size_t at = text.find(old); at != std::string::npos; at = text.find(old, from)) {
        out.append(text, from, at - from);
        out += replacement;
        from = at + old.size();
    }
    if (from == 0) return;
    out.append(text, from, std::string::npos);
    text = std::move(out);
}

void ReplaceAllCI(std::string& text, std::string_view old, std::string_view replacement) {
    if (old.empty()) return;
    std::string out;
    size_t copied = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t length = FoldedMatchAt(text, at, old);
        if (length == std::string_view::npos) {
            at += DecodeUtf8(text, at).size;
            continue;
        }
        out.append(text, copied, at - copied);
        out += replacement;
        at += length;
        copied = at;
    }
    if (copied == 0) return;
    out.append(text, copied, std::string::npos);
    text = std::move(out);
}

std::string PadText(std::string_view text, int width) {
    const size_t columns = width < 0 ? static_cast<size_t>(-static_cast<std::int64_t>(width))
                                     : static_cast<size_t>(width);
    if (CharCount(text) == columns) return std::string(text);
    if (columns == 0) return {};
    std::string cut = FirstChars(Trim(text), static_cast<int>(columns));
    const std::string fill(columns - CharCount(cut), ' ');
    return width > 0 ? cut + fill : fill + cut;
}

std::string ShortenText(std::string_view text, int n) {
    if (n < 0 || CharCount(text) > static_cast<size_t>(n)) return FirstChars(text, n - 3) + "...";
    return std::string(text);
}

std::string JoinIfBoth(std::string_view a, std::string_view b) {
    if (a.empty() || b.empty()) return {};
    return std::string(a) + std::string(b);
}

std::string JoinIfBoth(std::string_view a, std::string_view b, std::string_view c) {
    if (a.empty() || b.empty() || c.empty()) return {};
    return std::string(a) + std::string(b) + std::string(c);
}

bool AppendUnique(std::string& list, std::string_view item, std::string_view separator) {
    const std::string sep(separator);
    const std::string entry = sep + std::string(item) + sep;
    if ((sep + list + sep).find(entry) != std::string::npos) return false;
    if (!list.empty()) list += sep;
    list += item;
    return true;
}

bool OnlyCharsOf(std::string_view text, std::string_view allowed) {
    for (size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        bool found = false;
        for (size_t k = 0; k < allowed.size() && !found;) {
            const Utf8Char a = DecodeUtf8(allowed, k);
            found = a.code == c.code && a.valid == c.valid;
            k += a.size;
        }
        if (!found) return false;
        i += c.size;
    }
    return true;
}

bool OnlyDigits(std::string_view text) {
    return OnlyCharsOf(text, "0123456789");
}

std::string YesNoText(bool flag) {
    return flag ? "Ja" : "Nein";
}
std::string OneZeroText(bool flag) {
    return flag ? "1" : "0";
}

}  // namespace tavo
