#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavo {

// Internal text is UTF-8. A byte that starts no valid sequence counts as one character of
// its own and is kept as it is, so that no input is lost on the way through.
struct Utf8Char {
    char32_t code = 0;  // the code point, or the byte value of an invalid byte
    std::size_t size = 1;
    bool valid = true;
};

// The character starting at byte `at` (at < text.size()).
Utf8Char DecodeUtf8(std::string_view text, std::size_t at);

// Appends one code point in UTF-8.
void AppendUtf8(std::string& out, char32_t code);

// Appends a decoded character: re-encoded when valid, else its original byte.
void AppendChar(std::string& out, const Utf8Char& c);

// Number of characters.
std::size_t CharCount(std::string_view text);

// Byte offset of the character with 0-based index n; text.size() when there are fewer.
std::size_t ByteOffsetOfChar(std::string_view text, std::size_t n);

}  // namespace tavo
