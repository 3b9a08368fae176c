#include "foundation/translate.h"

#include <vector>

namespace tavo {
namespace {

// The separator that introduces the values: the first "|" if it stands after "%a", else
// the first character 7 if that does; none otherwise (a "|" before "%a" is plain text).
char ValueSeparator(std::string_view text, size_t placeholderAt) {
    for (const char candidate : {'|', '\x07'}) {
        const size_t at = text.find(candidate);
        if (at != std::string_view::npos && at > placeholderAt) return candidate;
    }
    return '\0';
}

// The pieces after the first separator. There is always one; a separator at the very end
// closes the last value instead of opening an empty one.
std::vector<std::string_view> SplitValues(std::string_view rest, char separator) {
    std::vector<std::string_view> values;
    do {
        const size_t at = rest.find(separator);
        values.push_back(rest.substr(0, at));
        rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
    } while (!rest.empty());
    return values;
}

// Every occurrence of placeholder replaced by value, left to right; the inserted values are
// not searched again.
void FillPlaceholder(std::string& text, std::string_view placeholder, std::string_view value) {
    for (size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
}

}  // namespace

std::string TranslateText(std::string_view text, std::string_view /*context*/) {
    if (text.size() < 2) return std::string(text);
    const size_t placeholderAt = text.find("%a");
    if (placeholderAt == std::string_view::npos) return std::string(text);
    const char separator = ValueSeparator(text, placeholderAt);
    if (separator == '\0') return std::string(text);

    const size_t split = text.find(separator);
    std::string result(text.substr(0, split));
    const std::vector<std::string_view> values = SplitValues(text.substr(split + 1), separator);
    // One value per letter; the filled text grows, so a value holding "%b" is filled next.
    for (size_t i = 0; i < values.size() && i < 26; ++i) {
        const char placeholder[] = {'%', static_cast<char>('a' + i), '\0'};
        FillPlaceholder(result, placeholder, values[i]);
    }
    return result;
}

}  // namespace tavo
