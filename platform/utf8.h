#pragma once

#include <string>
#include <string_view>

namespace tavo::platform {

// Decodes the UTF-8 sequence at text[i] and advances i past it. A byte that does not start
// a well-formed sequence comes back as its own value, so no input is ever lost.
char32_t NextCodePoint(std::string_view text, size_t& i);

void AppendUtf8(std::string& out, char32_t codePoint);

// Unicode simple case folding, for comparing names without regard to case.
std::string CaseFold(std::string_view text);

}  // namespace tavo::platform
