#include "foundation/dates.h"
#include "foundation/text.h"

namespace tavo {
namespace {

// The replacement of one run of a format letter: day and month always with two digits
// (a three-letter name form included), the year always with four.
std::string NormalisedRun(char letter, size_t length) {
    if ((letter == 'd' || letter == 'm') && (length == 1 || length == 3))
        return std::string(2, letter);
    if (letter == 'y' && length == 2) return "yyyy";
    return std::string(length, letter);
}

}  // namespace

std::string DisplayDateFormat(std::string_view shortDateFormat) {
    const std::string format = LowerCase(shortDateFormat);
    std::string out;
    for (size_t i = 0; i < format.size();) {
        size_t end = i;
        while (end < format.size() && format[end] == format[i]) ++end;
        out += NormalisedRun(format[i], end - i);
        i = end;
    }
    return out;
}

}  // namespace tavo
