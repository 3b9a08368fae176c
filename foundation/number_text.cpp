#include "foundation/number_text.h"

#include <limits>

#include "foundation/app_info.h"
#include "foundation/translate.h"

namespace tavo {
namespace {

// The magnitude of any 64-bit number, the smallest one included.
std::uint64_t Magnitude(std::int64_t number) {
    return number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
}

std::string Digits(std::uint64_t value) {
    return std::to_string(value);
}

std::string WithSeparators(const std::string& digits, const std::string& separator) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 * separator.size());
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string IntText(std::int64_t number) {
    return std::to_string(number);
}

std::string ZeroPadded(std::int64_t number, int width) {
    std::string digits = Digits(Magnitude(number));
    if (width > 0 && digits.size() < static_cast<size_t>(width))
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    return (number < 0 ? "-" : "") + digits;
}

std::string GroupedInt(std::int64_t number, bool systemSeparators) {
    const std::string separator = systemSeparators ? Separators.thousands : std::string(".");
    return (number < 0 ? "-" : "") + WithSeparators(Digits(Magnitude(number)), separator);
}

std::string SizeText(std::int64_t bytes) {
    if (bytes < 10'000'000) return GroupedInt(bytes, true) + " " + TranslateText("Byte", "system");
    return GroupedInt(bytes / 1'000'000, true) + " " + TranslateText("MByte", "system");
}

std::int64_t IntOf(std::string_view text, bool commaDecimal) {
    std::string number;
    if (commaDecimal) {
        number = text.substr(0, text.find(','));
    } else {
        const std::string& decimal = Separators.decimal;
        number =
            decimal.empty() ? std::string(text) : std::string(text.substr(0, text.find(decimal)));
        const std::string& thousands = Separators.thousands;
        if (!thousands.empty()) {
            for (size_t at = number.find(thousands); at != std::string::npos;
                 at = number.find(thousands, at))
                number.erase(at, thousands.size());
        }
    }
    size_t i = 0;
    const bool negative = !number.empty() && number[0] == '-';
    if (!number.empty() && (number[0] == '-' || number[0] == '+')) ++i;
    if (i == number.size()) return -1;
    // Accumulated as a negative number: its range reaches the smallest 64-bit value.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c < '0' || c > '9') return -1;
        const int digit = c - '0';
        if (value < (kMin + digit) / 10) return -1;
        value = value * 10 - digit;
    }
    if (negative) return value;
    if (value == kMin) return -1;
    return -value;
}

}  // namespace tavo
